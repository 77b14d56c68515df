#include "app/dialog_place.h"

#include "app/dialog_geometry.h"

namespace pinlark {

void CentreDialogOnScreen(HWND /*owner*/, HWND dialog) {
  RECT rect;
  GetWindowRect(dialog, &rect);
  const ScreenPoint at = CentreOnScreen(rect.right - rect.left, rect.bottom - rect.top,
                                        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace pinlark
