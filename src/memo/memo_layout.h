// Laying out every memo again, after the memo font changed.
#pragma once

#include <windows.h>

namespace pinlark {

// Repaints every memo of the memo list with the current memo font.
void RelayoutAllMemos(HWND mainWindow);

}  // namespace pinlark
