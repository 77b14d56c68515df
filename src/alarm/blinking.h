// A memo blinks while a modal question about it is open: the main window and every memo are
// disabled and the main window ignores commands meanwhile.
#pragma once

#include <windows.h>

namespace pinlark {

void StartBlinking(HWND mainWindow, HWND memo);
void StopBlinking(HWND mainWindow);
// The blink timer's tick: inverts the blinking memo once.
void BlinkTick(HWND mainWindow);
// EnableWindow on the main window, then on every memo of the memo list.
void EnableAll(HWND mainWindow, bool enable);

}  // namespace pinlark
