// The current local time, through one function that tests can replace.
#pragma once

#include <windows.h>

namespace pinlark {

using ClockFunction = SYSTEMTIME (*)();
// Puts `clock` in place (null: the system's clock) and returns the one it replaces.
ClockFunction SetClockFunction(ClockFunction clock);
SYSTEMTIME CurrentLocalTime();

}  // namespace pinlark
