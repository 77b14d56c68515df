#include "alarm/alarm_due.h"

namespace pinlark {

bool IsAlarmDue(const AlarmFields& alarm, const LocalMinute& now) {
  // From the year down: the first field that differs decides; all equal down to the minute is
  // due. Seconds are not compared, so the alarm rings at the first check of its minute.
  if (now.year != alarm.year) return now.year > alarm.year;
  if (now.month != alarm.month) return now.month > alarm.month;
  if (now.day != alarm.day) return now.day > alarm.day;
  if (now.hour != alarm.hour) return now.hour > alarm.hour;
  return now.minute >= alarm.minute;
}

bool IsStoredAlarmDue(int32_t storedTime, const LocalMinute& now) {
  return IsAlarmDue(UnpackAlarmTime(static_cast<uint32_t>(storedTime)), now);
}

}  // namespace pinlark
