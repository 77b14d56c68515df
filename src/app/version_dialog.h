// The version dialog of the "バージョン情報" command.
#pragma once

#include <windows.h>

namespace pinlark {

// Runs the dialog modally; returns 1 however it is closed.
INT_PTR RunVersionDialog(HWND owner);

}  // namespace pinlark
