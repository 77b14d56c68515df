// The packed alarm time of a memo: (year - 1997) * 100000000 + month * 1000000 + day * 10000
// + hour * 100 + minute, local time. Held unsigned: years 1997 to 2039 pack without overflow.
#pragma once

#include <cstdint>

namespace pinlark {

inline constexpr int kFirstAlarmYear = 1997;
inline constexpr int kLastAlarmYear = 2039;

struct AlarmFields {
  int year;
  int month;
  int day;
  int hour;
  int minute;
};

uint32_t PackAlarmTime(const AlarmFields& fields);
AlarmFields UnpackAlarmTime(uint32_t packed);

}  // namespace pinlark
