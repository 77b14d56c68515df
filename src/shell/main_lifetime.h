// The main window's creation, its record's end and the closing of the program.
#pragma once

#include <windows.h>

namespace pinlark {

// WM_CREATE of the main window: 0, or -1 to make the creation fail.
LRESULT OnMainCreate(HWND mainWindow, const CREATESTRUCTA* create);
// WM_NCDESTROY: frees the record.
void OnMainFinalDestroy(HWND mainWindow);
// WM_CLOSE and WM_QUERYENDSESSION: 1 when the program closed, 0 when closing was refused.
int CloseApplication(HWND mainWindow);

}  // namespace pinlark
