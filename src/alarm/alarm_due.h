// When an alarm is due: at or after its minute, fields compared from the year down.
#pragma once

#include <cstdint>

#include "memo/alarm_time.h"

namespace pinlark {

// The current local time as the alarm check reads it (seconds play no part).
struct LocalMinute {
  int year;
  int month;
  int day;
  int hour;
  int minute;
};

bool IsAlarmDue(const AlarmFields& alarm, const LocalMinute& now);

// The same for the packed time as a memo record holds it: the bits of the unsigned value in a
// signed 32-bit field (negative from 2019 on).
bool IsStoredAlarmDue(int32_t storedTime, const LocalMinute& now);

}  // namespace pinlark
