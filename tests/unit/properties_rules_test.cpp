// The window-free rules of the properties dialog: reading its number fields, the range of the
// minimum memo width and the play symbol's corners.
#include <gtest/gtest.h>

#include <optional>

#include "props/properties_rules.h"

namespace pinlark {
namespace {

TEST(PropertiesFields, MinColumnRunsFromTenToAHundred) {
  EXPECT_FALSE(MinColumnAcceptable(0));
  EXPECT_FALSE(MinColumnAcceptable(9));
  EXPECT_TRUE(MinColumnAcceptable(10));
  EXPECT_TRUE(MinColumnAcceptable(100));
  EXPECT_FALSE(MinColumnAcceptable(101));
  EXPECT_FALSE(MinColumnAcceptable(4294967295u));
}

TEST(PropertiesFields, AnUnsignedFieldTakesDigitsBetweenBlanksOnly) {
  EXPECT_EQ(ParseUnsignedField("40"), 40);
  EXPECT_EQ(ParseUnsignedField("0"), 0);
  EXPECT_EQ(ParseUnsignedField("  800 "), 800);
  EXPECT_EQ(ParseUnsignedField("0007"), 7);
  EXPECT_EQ(ParseUnsignedField("2147483647"), 2147483647);
  for (const char* refused : {"", "   ", "-5", "-0", "+7", "12abc", "1 2", "0x10", "abc", "2147483648",
                              "4294967291", "99999999999999999999", "\x82\x4f"}) {  // the last: a full-width 0
    EXPECT_EQ(ParseUnsignedField(refused), std::nullopt) << "[" << refused << "]";
  }
}

TEST(PropertiesFields, ASignedFieldTakesOneMinusRightBeforeTheDigits) {
  EXPECT_EQ(ParseSignedField("-11"), -11);
  EXPECT_EQ(ParseSignedField(" -10 "), -10);
  EXPECT_EQ(ParseSignedField("100"), 100);
  EXPECT_EQ(ParseSignedField("-0"), 0);
  EXPECT_EQ(ParseSignedField("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseSignedField("2147483647"), 2147483647);
  for (const char* refused : {"", "-", "--1", "- 1", "1-", "+1", "2147483648", "-2147483649", "1.5"}) {
    EXPECT_EQ(ParseSignedField(refused), std::nullopt) << "[" << refused << "]";
  }
}

TEST(PlayTriangle, SitsAtThirdsOfTheFaceAndMovesOnePixelWhenPressed) {
  // A raised button: the face left inside its 2-pixel edge, 14 x 17.
  const auto raised = PlayTriangle({2, 2, 16, 19}, false);
  EXPECT_EQ(raised[0].x, 6);
  EXPECT_EQ(raised[0].y, 6);   // 17 / 3 - 1, truncated, + top
  EXPECT_EQ(raised[1].x, 6);
  EXPECT_EQ(raised[1].y, 13);  // 2 * 17 / 3
  EXPECT_EQ(raised[2].x, 11);  // 2 * 14 / 3
  EXPECT_EQ(raised[2].y, 10);  // 17 / 2

  // A pressed button keeps its whole rectangle, 18 x 21, and the symbol moves by one pixel.
  const auto pressed = PlayTriangle({0, 0, 18, 21}, true);
  EXPECT_EQ(pressed[0].x, 7);
  EXPECT_EQ(pressed[0].y, 7);
  EXPECT_EQ(pressed[1].x, 7);
  EXPECT_EQ(pressed[1].y, 15);
  EXPECT_EQ(pressed[2].x, 13);
  EXPECT_EQ(pressed[2].y, 11);
}

}  // namespace
}  // namespace pinlark
