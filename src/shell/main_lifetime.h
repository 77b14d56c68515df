// The main window's creation, its record's end and the closing of the program.
#pragma once

#include <windows.h>

namespace pinlark {

// WM_CREATE of the main window: 0, or -1 to make the creation fail.
LRESULT OnMainCreate(HWND mainWindow, const CREATESTRUCTA* create);
// WM_NCDESTROY: frees the record.
void OnMainFinalDestroy(HWND mainWindow);
// WM_CLOSE and WM_QUERYENDSESSION: 1 when the program closed, 0 when closing was refused (the
// edit dialog is open, the save failed, or a close is already running).
int CloseApplication(HWND mainWindow);
// WM_ENDSESSION when the session really ends and the program is still there (its close was
// refused): the text of an open edit dialog, every memo and the application keys are saved.
void SaveAtSessionEnd(HWND mainWindow);

}  // namespace pinlark
