#include "app/dialog_geometry.h"

namespace pinlark {

ScreenPoint CentreOnScreen(int width, int height, int screenWidth, int screenHeight) {
  return {screenWidth / 2 - width / 2, screenHeight / 2 - height / 2};
}

}  // namespace pinlark
