// The alarm timer's check: every memo whose alarm is due blinks, sounds and asks.
#pragma once

#include <windows.h>

namespace pinlark {

// Runs once per tick of the alarm timer; does nothing when it is already running (ticks keep
// arriving inside the alarm dialog's modal loop).
void RunAlarmCheck(HWND mainWindow);

}  // namespace pinlark
