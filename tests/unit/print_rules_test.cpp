#include "print/print_rules.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace pinlark {
namespace {

TEST(PrinterFontHeight, ScalesByTheResolutionsAndTruncatesTowardsZero) {
  EXPECT_EQ(PrinterFontHeight(-12, 600, 96), -75);  // -7200 / 96
  EXPECT_EQ(PrinterFontHeight(12, 600, 96), 75);
  EXPECT_EQ(PrinterFontHeight(-13, 600, 96), -81);  // -81.25
  EXPECT_EQ(PrinterFontHeight(13, 600, 96), 81);
  EXPECT_EQ(PrinterFontHeight(-12, 96, 96), -12);
  EXPECT_EQ(PrinterFontHeight(0, 600, 96), 0);
}

TEST(PrinterFontHeight, NeverOverflowsAndNeedsAScreenResolution) {
  EXPECT_EQ(PrinterFontHeight(INT32_MIN, 600, 96), INT32_MIN);
  EXPECT_EQ(PrinterFontHeight(INT32_MAX, 600, 96), INT32_MAX);
  EXPECT_EQ(PrinterFontHeight(4000000, 1200, 96), 50000000);  // past 2^31 before the division
  EXPECT_EQ(PrinterFontHeight(-12, 600, 0), -12);
}

TEST(PrintGap, IsATenthOfAnInch) {
  EXPECT_EQ(PrintGap(600), 60);
  EXPECT_EQ(PrintGap(96), 9);
  EXPECT_EQ(PrintGap(0), 0);
}

}  // namespace
}  // namespace pinlark
