// Telling the user that something failed, in the program's message boxes.
#pragma once

#include <windows.h>

namespace pinlark {

// For a failed system call: the caller's text, a line break and the system's text for the
// last-error code. Call it right after the failure. Returns the message box's result.
int ReportError(HWND owner, const char* callerText);

// The same report followed by a question, with Yes and No (No the default, as the question is
// whether to give something up): IDYES or IDNO.
int AskAfterError(HWND owner, const char* callerText, const char* question);

// A plain error message with the error icon.
int ShowError(HWND owner, const char* message);

// ReportError for the system's error code `error`, or ShowError when it is ERROR_SUCCESS.
int ReportErrorCode(HWND owner, const char* callerText, DWORD error);

// A run without a settings file: its first save tells the user that changes cannot be saved
// and why; every later one is silent. Does nothing for a run that has a settings file.
void TellOnceThatNothingIsSaved(HWND mainWindow);

}  // namespace pinlark
