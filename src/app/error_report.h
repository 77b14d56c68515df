// Telling the user that something failed, in the program's message boxes.
#pragma once

#include <windows.h>

namespace pinlark {

// For a failed system call: the caller's text, a line break and the system's text for the
// last-error code. Call it right after the failure. Returns the message box's result.
int ReportError(HWND owner, const char* callerText);

// A plain error message with the error icon.
int ShowError(HWND owner, const char* message);

}  // namespace pinlark
