// The alarm dialog: switch the alarm off, edit the memo, or delete it.
#pragma once

#include <windows.h>

namespace pinlark {

// Runs the dialog modally; returns the id of the checked choice (1041, 1042 or 1043), however
// the dialog is closed.
INT_PTR RunAlarmDialog(HWND owner);

}  // namespace pinlark
