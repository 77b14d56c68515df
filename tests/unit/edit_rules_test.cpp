// The window-free rules of the memo edit dialog: the colour palette and the alarm calendar.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>

#include "edit/alarm_calendar.h"
#include "edit/palette.h"
#include "memo/alarm_time.h"

namespace pinlark {
namespace {

TEST(Palette, EveryEntryMapsToItsColourAndBack) {
  const int32_t expected[kPaletteSize] = {0x0080FFFF, 0x0080C0FF, 0x008080FF, 0x00C080FF, 0x00FF80FF,
                                          0x00FF8080, 0x00C0FF80, 0x00FFFF80, 0x00FFFFFF, 0x00C0C0C0,
                                          0x00000000, -1,         -2,         -3};
  for (int i = 0; i < kPaletteSize; ++i) {
    EXPECT_EQ(PaletteColor(i), expected[i]) << "index " << i;
    EXPECT_EQ(PaletteIndex(expected[i]), i) << "index " << i;
  }
}

TEST(Palette, BlackIsARealEntryAndUnknownsHaveNone) {
  EXPECT_EQ(PaletteIndex(0), 10);
  EXPECT_EQ(PaletteIndex(0x00123456), std::nullopt);
  EXPECT_EQ(PaletteIndex(-4), std::nullopt);
  EXPECT_EQ(PaletteColor(-1), 0x0080FFFF);
  EXPECT_EQ(PaletteColor(kPaletteSize), 0x0080FFFF);
}

uint32_t Packed(int y, int mo, int d, int h, int mi) { return PackAlarmTime({y, mo, d, h, mi}); }

TEST(AlarmCalendar, MonthLengthsFollowTheYearModFour) {
  const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(MonthLength(m, 1999), lengths[m - 1]) << "month " << m;
  EXPECT_EQ(MonthLength(2, 2000), 29);
  EXPECT_EQ(MonthLength(2, 2024), 29);
  EXPECT_EQ(MonthLength(2, 2026), 28);
  EXPECT_EQ(MonthLength(0, 2000), 0);
  EXPECT_EQ(MonthLength(13, 2000), 0);
}

TEST(AlarmCalendar, TimeAdvanceCarriesIntoHourDayMonthAndYear) {
  EXPECT_EQ(AdvanceAlarmTime(Packed(1999, 12, 31, 23, 30), 0, 0, 30), Packed(2000, 1, 1, 0, 0));
  EXPECT_EQ(AdvanceAlarmTime(Packed(2003, 6, 15, 10, 20), 0, 0, 15), Packed(2003, 6, 15, 10, 35));
  EXPECT_EQ(AdvanceAlarmTime(Packed(2003, 6, 15, 10, 20), 0, 0, 60), Packed(2003, 6, 15, 11, 20));
  EXPECT_EQ(AdvanceAlarmTime(Packed(2000, 2, 28, 23, 59), 0, 0, 1), Packed(2000, 2, 29, 0, 0));
  EXPECT_EQ(AdvanceAlarmTime(Packed(2001, 2, 28, 23, 59), 0, 0, 1), Packed(2001, 3, 1, 0, 0));
  EXPECT_EQ(AdvanceAlarmTime(Packed(2003, 4, 30, 12, 0), 1, 0, 0), Packed(2003, 5, 1, 12, 0));
  EXPECT_EQ(AdvanceAlarmTime(Packed(2003, 1, 31, 20, 0), 0, 5, 0), Packed(2003, 2, 1, 1, 0));
}

TEST(AlarmCalendar, TimeAdvancePastTheLastPackableYearKeepsTheValue) {
  const uint32_t last = Packed(2039, 12, 31, 23, 30);
  EXPECT_EQ(AdvanceAlarmTime(last, 0, 0, 30), last);
  EXPECT_EQ(AdvanceAlarmTime(last, 0, 0, 29), Packed(2039, 12, 31, 23, 59));
}

TEST(AlarmCalendar, NextFullHourIgnoresHowFarIntoTheHourItIs) {
  EXPECT_EQ(NextFullHour({2003, 6, 15, 14, 0}), Packed(2003, 6, 15, 15, 0));
  EXPECT_EQ(NextFullHour({2003, 6, 15, 14, 59}), Packed(2003, 6, 15, 15, 0));
  EXPECT_EQ(NextFullHour({2026, 12, 8, 14, 10}), 2912081500u);
  EXPECT_EQ(NextFullHour({1999, 12, 31, 23, 30}), Packed(2000, 1, 1, 0, 0));
}

struct MinuteCase {
  unsigned hour, minute;
  int delta;
  unsigned wantHour, wantMinute;
  bool changed;
};

TEST(AlarmCalendar, MinuteStepCarriesTheHourButNeverTheDay) {
  const MinuteCase cases[] = {
      {10, 59, 1, 11, 0, true},  {10, 30, 1, 10, 31, true}, {23, 59, 1, 23, 59, false},
      {0, 0, -1, 0, 0, false},   {10, 0, -1, 9, 59, true},  {10, 30, 0, 10, 29, true},
  };
  for (const MinuteCase& c : cases) {
    unsigned hour = c.hour, minute = c.minute;
    EXPECT_EQ(StepMinute(&hour, &minute, c.delta), c.changed) << c.hour << ":" << c.minute << " by " << c.delta;
    EXPECT_EQ(hour, c.wantHour) << c.hour << ":" << c.minute << " by " << c.delta;
    EXPECT_EQ(minute, c.wantMinute) << c.hour << ":" << c.minute << " by " << c.delta;
  }
}

struct DayCase {
  unsigned y, m, d;
  int delta;
  unsigned wy, wm, wd;
};

void ExpectDaySteps(const DayCase* begin, const DayCase* end) {
  for (const DayCase* c = begin; c != end; ++c) {
    unsigned y = c->y, m = c->m, d = c->d;
    EXPECT_TRUE(StepDay(&y, &m, &d, c->delta)) << c->y << "-" << c->m << "-" << c->d << " by " << c->delta;
    EXPECT_EQ(y * 10000 + m * 100 + d, c->wy * 10000 + c->wm * 100 + c->wd)
        << c->y << "-" << c->m << "-" << c->d << " by " << c->delta;
  }
}

TEST(AlarmCalendar, DayStepCarriesIntoMonthAndYear) {
  const DayCase cases[] = {
      {2000, 2, 28, 1, 2000, 2, 29},  {1999, 2, 28, 1, 1999, 3, 1},   {2000, 3, 1, -1, 2000, 2, 29},
      {1999, 3, 1, -1, 1999, 2, 28},  {1998, 1, 1, -1, 1997, 12, 31}, {2010, 12, 31, 1, 2011, 1, 1},
      {2003, 4, 30, 1, 2003, 5, 1},   {2003, 5, 1, -1, 2003, 4, 30},  {2003, 6, 15, 1, 2003, 6, 16},
      {2003, 6, 15, -1, 2003, 6, 14},
  };
  ExpectDaySteps(std::begin(cases), std::end(cases));
}

TEST(AlarmCalendar, DayStepBringsADayOutsideTheMonthBackIntoIt) {
  const DayCase cases[] = {
      {2003, 6, 0, 1, 2003, 6, 1},   {2003, 6, 0, -1, 2003, 5, 31}, {2003, 6, 40, 1, 2003, 7, 1},
      {2003, 6, 40, -1, 2003, 6, 30}, {1999, 2, 29, 1, 1999, 3, 1},  {1999, 2, 29, -1, 1999, 2, 28},
  };
  ExpectDaySteps(std::begin(cases), std::end(cases));
}

TEST(AlarmCalendar, DayStepDoesNothingForAMonthOutsideTheYear) {
  for (unsigned month : {0u, 13u, 4000000000u}) {
    for (int delta : {1, -1}) {
      unsigned y = 2003, m = month, d = 15;
      EXPECT_FALSE(StepDay(&y, &m, &d, delta)) << "month " << month;
      EXPECT_EQ(y, 2003u);
      EXPECT_EQ(m, month);
      EXPECT_EQ(d, 15u);
    }
  }
  unsigned y = 0, m = 1, d = 1;
  EXPECT_FALSE(StepDay(&y, &m, &d, -1)) << "no year before 0";
  EXPECT_EQ(y * 10000 + m * 100 + d, 101u);
}

TEST(EditRules, AlarmFieldTextPadsOnlyWhenAsked) {
  EXPECT_EQ(AlarmFieldText(7, true), "07");
  EXPECT_EQ(AlarmFieldText(0, true), "00");
  EXPECT_EQ(AlarmFieldText(7, false), "7");
  EXPECT_EQ(AlarmFieldText(12, true), "12");
  EXPECT_EQ(AlarmFieldText(2011, true), "2011");
}

TEST(EditRules, AlarmFieldReadsUnsignedDecimalOnly) {
  EXPECT_EQ(ParseAlarmField("12"), 12u);
  EXPECT_EQ(ParseAlarmField(" 12"), 12u);
  EXPECT_EQ(ParseAlarmField("07"), 7u);
  EXPECT_EQ(ParseAlarmField("4294967295"), 4294967295u);
  const char* failing[] = {"", "  ", "12a", "12 ", "-1", "+1", "4294967296", "\x82\x53"};
  for (const char* text : failing) EXPECT_EQ(ParseAlarmField(text), std::nullopt) << '"' << text << '"';
  EXPECT_EQ(ParseAlarmField(std::string_view("1\0", 2)), std::nullopt);
}

TEST(EditRules, OkRefusesTheFirstAlarmFieldTheTimeCannotMean) {
  using F = std::optional<unsigned>;
  struct Case {
    F year, month, day, hour, minute;
    std::optional<AlarmFieldIndex> refused;
    unsigned high;
  };
  const F none = std::nullopt;
  const Case cases[] = {
      {2026, 12, 31, 23, 59, std::nullopt, 0}, {1997, 1, 1, 0, 0, std::nullopt, 0},
      {2000, 2, 29, 9, 5, std::nullopt, 0},    {2039, 6, 30, 0, 0, std::nullopt, 0},
      {1996, 1, 1, 0, 0, kAlarmYearField, 2039}, {2040, 13, 1, 0, 0, kAlarmYearField, 2039},
      {none, 1, 1, 0, 0, kAlarmYearField, 2039}, {2026, 13, 40, 0, 0, kAlarmMonthField, 12},
      {2026, 0, 1, 0, 0, kAlarmMonthField, 12},  {2026, none, 1, 0, 0, kAlarmMonthField, 12},
      {1999, 2, 29, 0, 0, kAlarmDayField, 28},   {2000, 2, 30, 0, 0, kAlarmDayField, 29},
      {2026, 4, 31, 0, 0, kAlarmDayField, 30},   {2026, 1, 0, 0, 0, kAlarmDayField, 31},
      {2026, 1, 32, 0, 0, kAlarmDayField, 31},   {2026, 1, 1, 24, 60, kAlarmHourField, 23},
      {2026, 1, 1, none, 0, kAlarmHourField, 23}, {2026, 1, 1, 0, 60, kAlarmMinuteField, 59},
      {2026, 1, 1, 0, none, kAlarmMinuteField, 59},
  };
  for (const Case& c : cases) {
    const F fields[kAlarmFieldCount] = {c.year, c.month, c.day, c.hour, c.minute};
    const auto refused = FirstUnsoundAlarmField(fields);
    const auto shown = [](const F& f) { return f ? std::to_string(*f) : std::string("-"); };
    const std::string at = shown(c.year) + "/" + shown(c.month) + "/" + shown(c.day) + " " + shown(c.hour) + ":" + shown(c.minute);
    ASSERT_EQ(refused.has_value(), c.refused.has_value()) << at;
    if (!refused) continue;
    EXPECT_EQ(refused->field, *c.refused) << at;
    EXPECT_EQ(refused->high, c.high) << at;
    EXPECT_EQ(refused->low, *c.refused == kAlarmYearField ? 1997u : *c.refused >= kAlarmHourField ? 0u : 1u) << at;
  }
}

}  // namespace
}  // namespace pinlark
