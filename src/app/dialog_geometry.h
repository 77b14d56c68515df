// Where dialogs go on the screen.
#pragma once

#include "app/geometry.h"

namespace pinlark {

// The top-left corner that puts a window of the given size in the middle of the screen; each
// half is an integer division, so a window larger than the screen starts left of or above it.
ScreenPoint CentreOnScreen(int width, int height, int screenWidth, int screenHeight);

}  // namespace pinlark
