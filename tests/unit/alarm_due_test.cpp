// When an alarm is due: at or after its minute, the fields compared from the year down.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>

#include "alarm/alarm_due.h"
#include "memo/alarm_time.h"

namespace pinlark {
namespace {

struct DueCase {
  const char* what;
  AlarmFields alarm;
  LocalMinute now;
  bool due;
};

void ExpectCases(const DueCase* begin, const DueCase* end) {
  for (const DueCase* c = begin; c != end; ++c) {
    EXPECT_EQ(IsAlarmDue(c->alarm, c->now), c->due) << c->what;
  }
}

TEST(AlarmDue, RingsFromItsMinuteOn) {
  const AlarmFields at1230{2003, 6, 15, 12, 30};
  const DueCase cases[] = {
      {"the minute before", at1230, {2003, 6, 15, 12, 29}, false},
      {"its minute", at1230, {2003, 6, 15, 12, 30}, true},
      {"the minute after", at1230, {2003, 6, 15, 12, 31}, true},
      {"an hour before with a later minute", at1230, {2003, 6, 15, 11, 59}, false},
      {"an hour after with an earlier minute", at1230, {2003, 6, 15, 13, 0}, true},
      {"midnight alarm at midnight", {2003, 6, 15, 0, 0}, {2003, 6, 15, 0, 0}, true},
      {"last minute of the day, one before", {2003, 6, 15, 23, 59}, {2003, 6, 15, 23, 58}, false},
  };
  ExpectCases(std::begin(cases), std::end(cases));
}

TEST(AlarmDue, TheYearDecidesBeforeMonthDayHourAndMinute) {
  const AlarmFields newYearsEve{2003, 12, 31, 23, 59};
  const DueCase cases[] = {
      {"1 Dec 2003 at the same time of day", newYearsEve, {2003, 12, 1, 23, 59}, false},
      {"1 Dec 2003 at noon", newYearsEve, {2003, 12, 1, 12, 0}, false},
      {"1 Dec 2003 at midnight", newYearsEve, {2003, 12, 1, 0, 0}, false},
      {"30 Dec 2003, later hour is no help", newYearsEve, {2003, 12, 30, 23, 59}, false},
      {"the minute itself", newYearsEve, {2003, 12, 31, 23, 59}, true},
      {"1 Jan 2004 00:00, every other field smaller", newYearsEve, {2004, 1, 1, 0, 0}, true},
      {"an earlier year with every other field larger", {2004, 1, 1, 0, 0}, {2003, 12, 31, 23, 59}, false},
      {"a later month with an earlier day", {2003, 5, 31, 12, 0}, {2003, 6, 1, 0, 0}, true},
      {"an earlier month with a later day", {2003, 6, 1, 0, 0}, {2003, 5, 31, 23, 59}, false},
      {"a later day with an earlier hour", {2003, 6, 14, 23, 0}, {2003, 6, 15, 0, 0}, true},
  };
  ExpectCases(std::begin(cases), std::end(cases));
}

TEST(AlarmDue, PastDatesAreDueAtOnce) {
  const DueCase cases[] = {
      {"years ago", {1998, 3, 4, 5, 6}, {2024, 1, 1, 0, 0}, true},
      {"the first packable minute", {1997, 1, 1, 0, 0}, {2039, 12, 31, 23, 59}, true},
      {"the last packable minute, not yet", {2039, 12, 31, 23, 59}, {2039, 12, 31, 23, 58}, false},
  };
  ExpectCases(std::begin(cases), std::end(cases));
}

// The stored field holds the unsigned packed bits; from 2019 on they read negative as int32.
int32_t Stored(const AlarmFields& fields) { return static_cast<int32_t>(PackAlarmTime(fields)); }

TEST(AlarmDue, StoredTimesOfLaterYearsRingAtTheirMinute) {
  const int32_t december2026 = Stored({2026, 12, 8, 9, 5});
  ASSERT_LT(december2026, 0) << "the case only means something when the stored value is negative";
  EXPECT_EQ(static_cast<uint32_t>(december2026), 2912080905u);
  EXPECT_FALSE(IsStoredAlarmDue(december2026, {2026, 12, 8, 9, 4}));
  EXPECT_TRUE(IsStoredAlarmDue(december2026, {2026, 12, 8, 9, 5}));
  EXPECT_TRUE(IsStoredAlarmDue(december2026, {2026, 12, 8, 9, 6}));
  EXPECT_FALSE(IsStoredAlarmDue(december2026, {2025, 12, 31, 23, 59})) << "not due a year early";
  EXPECT_FALSE(IsStoredAlarmDue(december2026, {2003, 1, 1, 0, 0}));

  const int32_t last = Stored({2039, 12, 31, 23, 59});
  EXPECT_FALSE(IsStoredAlarmDue(last, {2039, 12, 31, 23, 58}));
  EXPECT_TRUE(IsStoredAlarmDue(last, {2039, 12, 31, 23, 59}));

  // Years that still fit a signed value go the same way.
  const int32_t y2018 = Stored({2018, 12, 31, 23, 59});
  ASSERT_GT(y2018, 0);
  EXPECT_FALSE(IsStoredAlarmDue(y2018, {2018, 12, 31, 23, 58}));
  EXPECT_TRUE(IsStoredAlarmDue(y2018, {2019, 1, 1, 0, 0}));
}

TEST(AlarmDue, StoredTimesAroundTheSignBoundary) {
  // The first minute of 2019 is the first time whose stored value is negative; 2018 is not due
  // then, 2019 is, whichever side of the sign the two sit.
  const int32_t first2019 = Stored({2019, 1, 1, 0, 0});
  ASSERT_LT(first2019, 0);
  EXPECT_TRUE(IsStoredAlarmDue(Stored({2018, 12, 31, 23, 59}), {2019, 1, 1, 0, 0}));
  EXPECT_TRUE(IsStoredAlarmDue(first2019, {2019, 1, 1, 0, 0}));
  EXPECT_FALSE(IsStoredAlarmDue(first2019, {2018, 12, 31, 23, 59}));
}

}  // namespace
}  // namespace pinlark
