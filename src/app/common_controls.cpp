#include "app/common_controls.h"

#include <windows.h>
#include <commctrl.h>

namespace pinlark {

void LoadUpDownControls() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
}

}  // namespace pinlark
