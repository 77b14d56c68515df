// The calendar rules of the memo edit dialog's alarm fields: month lengths, the next full hour,
// the minute and day spin steps, reading and writing the fields' numbers and what OK accepts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "alarm/alarm_due.h"

namespace pinlark {

// Days in `month` of `year`: February has 29 when the year divides by 4 (the packed times end
// in 2039, so the century rule never applies). 0 for a month outside 1 to 12.
int MonthLength(int month, int year);

// The packed time moved on by the given amounts (each 0 or more; minutes at most 60). A month
// number outside 1 to 12 in the value counts as 31 days long. A result after the last packable
// year (2039) cannot be held: the value is then returned unchanged.
uint32_t AdvanceAlarmTime(uint32_t packed, int days, int hours, int minutes);

// The alarm time a new memo starts with: the next full hour after `now` (14:00 and 14:59 both
// give 15:00).
uint32_t NextFullHour(const LocalMinute& now);

// One step of the minute spin (delta > 0 up, otherwise down). The hour carries, the day never:
// 23:59 up and 00:00 down stay. Returns whether the time changed; when it did not, the fields
// are best left as they are shown.
bool StepMinute(unsigned* hour, unsigned* minute, int delta);

// One step of the day spin (delta > 0 up, otherwise down), carrying into the month and year;
// the year is not held in the year spin's range (31 Dec 2010 up gives 1 Jan 2011).
// A day outside the month is brought back into it by the step: up from day 0 gives day 1 and up
// from the last day or beyond gives day 1 of the next month; down from day 1 or 0 gives the last
// day of the previous month and down from beyond the last day gives the last day.
// Returns false, changing nothing, for a month outside 1 to 12 and when the year would leave the
// unsigned range.
bool StepDay(unsigned* year, unsigned* month, unsigned* day, int delta);

// A field's text: plain decimal, or with one leading zero below 10 ("07") when asked.
std::string AlarmFieldText(unsigned value, bool leadingZero);

// A field's number read as the dialog's unsigned integer reading does: blanks before the digits
// are skipped, then one or more ASCII digits and nothing else; no sign. Nothing for an empty
// field, any other character (full-width digits included) and a value beyond 32 bits.
std::optional<unsigned> ParseAlarmField(std::string_view text);

// The alarm fields in the order the dialog shows them and OK checks them.
enum AlarmFieldIndex { kAlarmYearField, kAlarmMonthField, kAlarmDayField, kAlarmHourField, kAlarmMinuteField };
inline constexpr int kAlarmFieldCount = 5;

// A field OK refuses, with the values it may hold.
struct UnsoundAlarmField {
  AlarmFieldIndex field;
  unsigned low;
  unsigned high;
};

// The first field, year to minute, that holds no number or one the alarm cannot mean: a year
// outside 1997 to 2039 (what a packed time holds), a month outside 1 to 12, a day outside the
// month's length in that year, an hour outside 0 to 23, a minute outside 0 to 59. Nothing when
// every field is sound. The day is judged only once year and month are.
std::optional<UnsoundAlarmField> FirstUnsoundAlarmField(const std::optional<unsigned> (&fields)[kAlarmFieldCount]);

}  // namespace pinlark
