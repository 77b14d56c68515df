// The properties dialog: the application settings of the settings record.
#pragma once

#include <windows.h>

namespace pinlark {

// Runs the dialog modally; while it is open, a second call only gives it the focus.
void OpenPropertiesDialog(HWND mainWindow);

}  // namespace pinlark
