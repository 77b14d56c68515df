#include "edit/alarm_calendar.h"

#include <limits>

#include "memo/alarm_time.h"

namespace pinlark {
namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeapYear(unsigned year) { return year % 4 == 0; }

unsigned DaysIn(unsigned month, unsigned year) {
  if (month == 2 && IsLeapYear(year)) return 29;
  return static_cast<unsigned>(kMonthDays[month - 1]);
}

}  // namespace

int MonthLength(int month, int year) {
  if (month < 1 || month > 12) return 0;
  return static_cast<int>(DaysIn(static_cast<unsigned>(month), static_cast<unsigned>(year)));
}

uint32_t AdvanceAlarmTime(uint32_t packed, int days, int hours, int minutes) {
  AlarmFields t = UnpackAlarmTime(packed);
  t.minute += minutes;
  while (t.minute >= 60) {
    t.minute -= 60;
    ++t.hour;
  }
  t.hour += hours;
  while (t.hour >= 24) {
    t.hour -= 24;
    ++t.day;
  }
  t.day += days;
  for (;;) {
    const int length = t.month >= 1 && t.month <= 12 ? MonthLength(t.month, t.year) : 31;
    if (t.day <= length) break;
    t.day -= length;
    if (++t.month > 12) {
      t.month = 1;
      ++t.year;
    }
  }
  if (t.year > kLastAlarmYear) return packed;
  return PackAlarmTime(t);
}

uint32_t NextFullHour(const LocalMinute& now) {
  const uint32_t packed = PackAlarmTime({now.year, now.month, now.day, now.hour, now.minute});
  return AdvanceAlarmTime(packed, 0, 0, 60 - now.minute);
}

bool StepMinute(unsigned* hour, unsigned* minute, int delta) {
  if (delta > 0) {
    if (*minute != 59) {
      ++*minute;
    } else if (*hour != 23) {
      *minute = 0;
      ++*hour;
    } else {
      return false;
    }
  } else {
    if (*minute != 0) {
      --*minute;
    } else if (*hour != 0) {
      *minute = 59;
      --*hour;
    } else {
      return false;
    }
  }
  return true;
}

bool StepDay(unsigned* year, unsigned* month, unsigned* day, int delta) {
  if (*month < 1 || *month > 12) return false;
  const unsigned length = DaysIn(*month, *year);
  if (delta > 0) {
    if (*day < length) {
      ++*day;
    } else if (*month < 12) {
      *day = 1;
      ++*month;
    } else {
      if (*year == std::numeric_limits<unsigned>::max()) return false;
      *day = 1;
      *month = 1;
      ++*year;
    }
  } else {
    if (*day > length) {
      *day = length;
    } else if (*day > 1) {
      --*day;
    } else if (*month > 1) {
      --*month;
      *day = DaysIn(*month, *year);
    } else {
      if (*year == 0) return false;
      --*year;
      *month = 12;
      *day = 31;
    }
  }
  return true;
}

std::string AlarmFieldText(unsigned value, bool leadingZero) {
  std::string text = std::to_string(value);
  if (leadingZero && value < 10) text.insert(text.begin(), '0');
  return text;
}

std::optional<unsigned> ParseAlarmField(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i == text.size()) return std::nullopt;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > std::numeric_limits<uint32_t>::max()) return std::nullopt;
  }
  return static_cast<unsigned>(value);
}

std::optional<UnsoundAlarmField> FirstUnsoundAlarmField(const std::optional<unsigned> (&fields)[kAlarmFieldCount]) {
  const std::optional<unsigned>& year = fields[kAlarmYearField];
  const std::optional<unsigned>& month = fields[kAlarmMonthField];
  for (int i = 0; i < kAlarmFieldCount; ++i) {
    const auto field = static_cast<AlarmFieldIndex>(i);
    UnsoundAlarmField range = {field, 0, 0};
    switch (field) {
      case kAlarmYearField: range = {field, kFirstAlarmYear, kLastAlarmYear}; break;
      case kAlarmMonthField: range = {field, 1, 12}; break;
      case kAlarmDayField: range = {field, 1, DaysIn(*month, *year)}; break;  // both checked before
      case kAlarmHourField: range = {field, 0, 23}; break;
      case kAlarmMinuteField: range = {field, 0, 59}; break;
    }
    if (!fields[i] || *fields[i] < range.low || *fields[i] > range.high) return range;
  }
  return std::nullopt;
}

}  // namespace pinlark
