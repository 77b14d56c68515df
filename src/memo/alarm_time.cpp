#include "memo/alarm_time.h"

namespace pinlark {

uint32_t PackAlarmTime(const AlarmFields& f) {
  // Unsigned arithmetic: from 2019 on the sum no longer fits a signed 32-bit value.
  return static_cast<uint32_t>(f.year - kFirstAlarmYear) * 100000000u + static_cast<uint32_t>(f.month) * 1000000u +
         static_cast<uint32_t>(f.day) * 10000u + static_cast<uint32_t>(f.hour) * 100u +
         static_cast<uint32_t>(f.minute);
}

AlarmFields UnpackAlarmTime(uint32_t packed) {
  AlarmFields f;
  f.year = static_cast<int>(packed / 100000000u) + kFirstAlarmYear;
  f.month = static_cast<int>(packed % 100000000u / 1000000u);
  f.day = static_cast<int>(packed % 1000000u / 10000u);
  f.hour = static_cast<int>(packed % 10000u / 100u);
  f.minute = static_cast<int>(packed % 100u);
  return f;
}

}  // namespace pinlark
