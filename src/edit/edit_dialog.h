// The memo edit dialog: text, colour, flags and alarm of one memo, new or existing.
#pragma once

#include <windows.h>

namespace pinlark {

// Opens the dialog for `memo` (null: a memo still to be made) and returns once it has closed.
// Refused with a message while another edit dialog is open.
void OpenEditDialog(HWND mainWindow, HWND memo);

// At the end of the session: the text of the open dialog, when it holds one that is not yet
// in a memo, is put into the memo it edits (or a new memo) for the last save. Nothing without
// an open dialog.
void KeepOpenEditText(HWND mainWindow);

}  // namespace pinlark
