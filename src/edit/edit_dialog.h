// The memo edit dialog: text, colour, flags and alarm of one memo, new or existing.
#pragma once

#include <windows.h>

namespace pinlark {

// Opens the dialog for `memo` (null: a memo still to be made) and returns once it has closed.
// Refused with a message while another edit dialog is open.
void OpenEditDialog(HWND mainWindow, HWND memo);

}  // namespace pinlark
