// Where the program's dialogs open.
#pragma once

#include <windows.h>

namespace pinlark {

// Moves the dialog to the middle of the screen; the owner plays no part.
void CentreDialogOnScreen(HWND owner, HWND dialog);

}  // namespace pinlark
