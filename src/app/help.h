// Opening the help: the WinHelp file beside the program where there is one, otherwise the
// HTML help beside the program, at the topic of a dialog's context id (0 for the contents).
#pragma once

#include <windows.h>

#include <string>

namespace pinlark {

void OpenHelp(HWND owner, int contextId);

// The same, looking for the help in `folder` (ending in a backslash) instead of the
// program's own folder.
void OpenHelpIn(HWND owner, int contextId, const std::string& folder);

// How a document is handed to the shell's "open"; tests put their own in place. `directory` is
// the working directory of what is started (null: the current one), `show` its SW_* show
// command. Returns what ShellExecuteA returns (more than 32 on success).
using ShellOpenFunction = INT_PTR (*)(HWND owner, const char* path, const char* directory, int show);
ShellOpenFunction SetShellOpenFunction(ShellOpenFunction open);
INT_PTR ShellOpen(HWND owner, const char* path, const char* directory = nullptr, int show = SW_SHOWNORMAL);

}  // namespace pinlark
