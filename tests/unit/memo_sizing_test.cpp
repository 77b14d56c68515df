// Auto-size: a memo's text decides its extent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memo/memo_sizing.h"

namespace pinlark {
namespace {

// A font of 7 pixels per byte and 12 pixels per line; records the lines measured.
struct FixedFont {
  std::vector<std::string> lines;
  LineMeasure Measure() {
    return [this](std::string_view line) {
      lines.emplace_back(line);
      return Extent{static_cast<int>(line.size()) * 7, line.empty() ? 0 : 12};
    };
  }
};

constexpr Extent kMinimum{40 * 7, 12};

TEST(MemoTextExtent, ALineBreakAtTheEndAddsNoLine) {
  FixedFont font;
  EXPECT_EQ(MemoTextExtent("word\r\n", kMinimum, font.Measure()).height, 12);
  EXPECT_EQ(MemoTextExtent("word\r\n\r\n", kMinimum, font.Measure()).height, 24);
  EXPECT_EQ(MemoTextExtent("word", kMinimum, font.Measure()).height, 12);
  EXPECT_EQ(font.lines, (std::vector<std::string>{"word", "word", "", "word"}));
}

TEST(MemoTextExtent, AnEmptyTextHasNoLineAndTheMinimumWidth) {
  FixedFont font;
  const Extent extent = MemoTextExtent("", kMinimum, font.Measure());
  EXPECT_EQ(extent.height, 0);
  EXPECT_EQ(extent.width, kMinimum.width);
  EXPECT_TRUE(font.lines.empty());
}

TEST(MemoTextExtent, WidthFollowsTheLongestLineAndALoneLfIsNoBreak) {
  FixedFont font;
  const std::string longLine(50, 'w');
  const Extent extent = MemoTextExtent("a\n" + longLine + "\r\nb", kMinimum, font.Measure());
  EXPECT_EQ(extent.width, 52 * 7);
  EXPECT_EQ(extent.height, 24);
}

TEST(MemoTextExtent, AStrayCrNeverMeasuresOutsideTheText) {
  FixedFont font;
  MemoTextExtent("abc\r", kMinimum, font.Measure());
  MemoTextExtent("a\r\r\n", kMinimum, font.Measure());
  for (const std::string& line : font.lines) EXPECT_LE(line.size(), 3u);
}

TEST(AutoSizedRect, KeepsTheRightEdgeOrForANoArrangeMemoTheLeftEdge) {
  const Rect old{900, 30, 950, 40};
  const Rect grown = AutoSizedRect(old, {280, 24}, 1, 1, false);
  EXPECT_EQ(grown.right, 950);
  EXPECT_EQ(grown.Width(), 285);
  EXPECT_EQ(grown.Height(), 29);
  EXPECT_EQ(grown.top, 30);
  const Rect kept = AutoSizedRect(old, {280, 24}, 1, 1, true);
  EXPECT_EQ(kept.left, 900);
  EXPECT_EQ(kept.Width(), 285);
}

}  // namespace
}  // namespace pinlark
