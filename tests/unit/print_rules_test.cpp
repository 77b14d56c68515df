#include "print/print_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// Every byte 10 pixels wide, so a width tells how many bytes fit.
int32_t TenPerByte(std::string_view piece) { return static_cast<int32_t>(piece.size()) * 10; }

TEST(WrapPrintedLine, CutsWhatPassesTheWidthAtCharacterBoundaries) {
  struct Case {
    std::string line;
    int32_t width;
    std::vector<std::string> pieces;
  };
  const std::string a = "\x82\xa0";  // a double-byte character, 20 pixels
  const Case cases[] = {
      {"", 50, {""}},
      {"abcde", 50, {"abcde"}},
      {"abcdefghijkl", 50, {"abcde", "fghij", "kl"}},
      {"abcd" + a + "ef", 50, {"abcd", a + "ef"}},  // the double-byte character does not fit after abcd
      {"abc" + a + a, 50, {"abc" + a, a}},
      {a + a + a, 10, {a, a, a}},  // a character wider than the page still goes, alone
      {"ab", 0, {"a", "b"}},
  };
  for (const Case& c : cases) {
    const std::vector<std::string_view> got = WrapPrintedLine(c.line, c.width, TenPerByte);
    std::string joined;
    for (std::string_view piece : got) joined += piece;
    EXPECT_EQ(joined, c.line) << "no byte lost or repeated: " << c.line.size() << " bytes";
    EXPECT_EQ(std::vector<std::string>(got.begin(), got.end()), c.pieces) << c.line;
  }
}

TEST(WrapPrintedLine, NeverMeasuresMuchMoreThanFits) {
  // A device measures in 16 bits: a whole memo-long line would wrap round and seem to fit.
  std::size_t longest = 0;
  const MeasureWidth measure = [&](std::string_view piece) {
    longest = std::max(longest, piece.size());
    return TenPerByte(piece);
  };
  EXPECT_EQ(WrapPrintedLine(std::string(65534, 'x'), 70, measure).size(), 9362u);
  EXPECT_LE(longest, 15u);
}

TEST(PageFlow, StartsANewPageOnlyWhenTheNextBandWouldPassTheBottom) {
  PageFlow flow(100);
  std::vector<std::pair<std::size_t, int32_t>> placed;
  for (int32_t height : {40, 40, 20, 1, 30, 250, 10}) {
    const int32_t y = flow.Place(height);
    placed.push_back({flow.page(), y});
    flow.Advance(height);
  }
  const std::vector<std::pair<std::size_t, int32_t>> expected = {{0, 0}, {0, 40}, {0, 80}, {1, 0}, {1, 1},
                                                                 {2, 0}, {3, 0}};
  EXPECT_EQ(placed, expected) << "a band taller than a page fills a page of its own";
  EXPECT_EQ(flow.pageCount(), 4u);
  PageFlow tall(0);
  EXPECT_EQ(tall.Place(5), 0);
  EXPECT_EQ(tall.pageCount(), 1u) << "the first band never starts a new page";
}

TEST(PrintOrder, RepeatsTheDocumentWhenCollatedAndEachPageOtherwise) {
  using Order = std::vector<std::size_t>;
  EXPECT_EQ(PrintOrder(2, 1, false), (Order{0, 1}));
  EXPECT_EQ(PrintOrder(2, 1, true), (Order{0, 1}));
  EXPECT_EQ(PrintOrder(2, 3, true), (Order{0, 1, 0, 1, 0, 1}));
  EXPECT_EQ(PrintOrder(2, 3, false), (Order{0, 0, 0, 1, 1, 1}));
  EXPECT_EQ(PrintOrder(1, 0, false), (Order{0})) << "at least one copy";
  EXPECT_EQ(PrintOrder(3, -2, true), (Order{0, 1, 2}));
}

}  // namespace
}  // namespace pinlark
