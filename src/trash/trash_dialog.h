// The trash dialog: lists the trash memos and restores, deletes or empties them.
#pragma once

#include <windows.h>

namespace pinlark {

// Runs the dialog modally; while it is open, a second call only gives it the focus.
void OpenTrashDialog(HWND mainWindow);

// Called after the trash list changed outside the dialog (a memo deleted into the trash while
// the dialog is open, and with it perhaps the oldest trash memo dropped): the list is shown
// anew, the selection kept on the same memo. Nothing when the dialog is closed.
void RefreshTrashDialog(HWND mainWindow);

}  // namespace pinlark
