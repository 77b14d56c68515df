// Rules of memo painting that need no window: shading, the raised edge and inside of a
// transparent memo, the brightness of the sampled row, and the lines of the text layout.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "memo/shade.h"
#include "memo/text_lines.h"

namespace pinlark {
namespace {

TEST(Shade, AddsTheDeltaToEachChannelAndClamps) {
  EXPECT_EQ(Shade(0x0080FFFF, +64), 0x00C0FFFFu);
  EXPECT_EQ(Shade(0x00102030, -64), 0x00000000u);
  EXPECT_EQ(Shade(0x00FFFFFF, -128), 0x007F7F7Fu);
  EXPECT_EQ(Shade(0x00102030, +32), 0x00304050u);
  EXPECT_EQ(Shade(0x00C0FF01, -1), 0x00BFFE00u);
  EXPECT_EQ(Shade(0x00DF20E0, +32), 0x00FF40FFu) << "255 is reached exactly";
}

TEST(Shade, DropsTheTopByteAndKeepsChannelsApart) {
  EXPECT_EQ(Shade(0xFFFFFFFF, +32), 0x00FFFFFFu);
  EXPECT_EQ(Shade(0xAB000000, +1), 0x00010101u);
  // A channel that clamps does not carry into its neighbour.
  EXPECT_EQ(Shade(0x0000FF00, +1), 0x0001FF01u);
  EXPECT_EQ(Shade(0x00FF00FF, -1), 0x00FE00FEu);
}

TEST(ShadeDibPixels, SwapRedAndBlueAndDropTheUnusedByte) {
  EXPECT_EQ(ColorFromDibPixel(0x00112233), 0x00332211u);
  EXPECT_EQ(DibPixelFromColor(0x00332211), 0x00112233u);
  EXPECT_EQ(ColorFromDibPixel(0xFFFFFFFF), 0x00FFFFFFu) << "white is never the unreadable value";
  EXPECT_EQ(ColorFromDibPixel(0x7F00FF00), 0x0000FF00u);
  for (uint32_t c : {0x00000000u, 0x00FF0000u, 0x000000FFu, 0x00123456u}) {
    EXPECT_EQ(DibPixelFromColor(ColorFromDibPixel(c)), c);
  }
}

// A picture whose pixels all start as kBase, whose channels make every combination of deltas
// of the edge come out differently (one -128 from two, -128 then -64 from -128 alone).
class Picture {
 public:
  static constexpr uint32_t kBase = 0x0090A0C8;
  Picture(int w, int h) : w_(w), h_(h), pixels_(static_cast<std::size_t>(w) * h, kBase) {}
  PixelPicture view() { return {w_, h_, pixels_.empty() ? nullptr : pixels_.data()}; }
  uint32_t at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * w_ + x]; }
  int w() const { return w_; }
  int h() const { return h_; }

 private:
  int w_, h_;
  std::vector<uint32_t> pixels_;
};

uint32_t Shaded(std::initializer_list<int> deltas) {
  uint32_t c = Picture::kBase;
  for (int d : deltas) c = Shade(c, d);
  return c;
}

TEST(ShadeEdge, ShadesTheEightRunsOfAFiveByFourPicture) {
  Picture p(5, 4);
  ShadeEdge(p.view());
  // Expected delta(s) per pixel, rows from the top.
  const std::vector<std::vector<std::vector<int>>> expected = {
      {{64}, {64}, {64}, {64}, {-128}},
      {{64}, {32}, {32}, {-64}, {-128}},
      {{64}, {-64}, {-64}, {-64}, {-128, -64}},
      {{-128}, {-128}, {-128}, {-128}, {-128, -128}},
  };
  for (int y = 0; y < p.h(); ++y) {
    for (int x = 0; x < p.w(); ++x) {
      const std::vector<int>& d = expected[y][x];
      uint32_t want = Picture::kBase;
      for (int delta : d) want = Shade(want, delta);
      EXPECT_EQ(p.at(x, y), want) << "x=" << x << " y=" << y;
    }
  }
}

TEST(ShadeEdge, ShadesTheBottomRightCornerTwiceAndLeavesTheInsideAlone) {
  Picture p(8, 7);
  ShadeEdge(p.view());
  EXPECT_EQ(p.at(7, 6), Shaded({-128, -128}));
  EXPECT_EQ(p.at(7, 5), Shaded({-128, -64})) << "right outer column, then bottom inner row";
  EXPECT_EQ(p.at(7, 0), Shaded({-128})) << "the top row stops before the right column";
  EXPECT_EQ(p.at(0, 6), Shaded({-128})) << "the left column stops before the bottom row";
  EXPECT_EQ(p.at(6, 1), Shaded({-64})) << "the inner top row stops before the inner right column";
  EXPECT_EQ(p.at(1, 5), Shaded({-64})) << "the inner left column stops before the inner bottom row";
  EXPECT_EQ(p.at(1, 1), Shaded({32}));
  EXPECT_EQ(p.at(6, 0), Shaded({64}));
  for (int y = 2; y <= 4; ++y) {
    for (int x = 2; x <= 5; ++x) EXPECT_EQ(p.at(x, y), Picture::kBase) << "x=" << x << " y=" << y;
  }
}

TEST(ShadeEdge, SmallPicturesShadeOnlyTheirOwnPixels) {
  {
    Picture p(1, 1);
    ShadeEdge(p.view());
    EXPECT_EQ(p.at(0, 0), Shaded({-128, -128}));
  }
  {
    Picture p(3, 3);
    ShadeEdge(p.view());
    const uint32_t want[3][3] = {
        {Shaded({64}), Shaded({64}), Shaded({-128})},
        {Shaded({64}), Shaded({-64}), Shaded({-128, -64})},
        {Shaded({-128}), Shaded({-128}), Shaded({-128, -128})},
    };
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 3; ++x) EXPECT_EQ(p.at(x, y), want[y][x]) << "x=" << x << " y=" << y;
    }
  }
  {
    // One row: the inner bottom row would be y = -1, outside.
    Picture p(4, 1);
    ShadeEdge(p.view());
    EXPECT_EQ(p.at(0, 0), Shaded({64, -128}));
    EXPECT_EQ(p.at(3, 0), Shaded({-128, -128}));
  }
  {
    Picture p(1, 4);
    ShadeEdge(p.view());
    EXPECT_EQ(p.at(0, 0), Shaded({-128}));
    EXPECT_EQ(p.at(0, 1), Shaded({64, -128}));
    EXPECT_EQ(p.at(0, 3), Shaded({-128, -128}));
  }
  // Nothing to shade and nothing written (the sanitizers watch the empty buffers).
  for (auto [w, h] : {std::pair{0, 0}, std::pair{0, 5}, std::pair{5, 0}}) {
    Picture p(w, h);
    ShadeEdge(p.view());
  }
}

TEST(ShadeInterior, CoversRowsTwoToHMinusThreeAndColumnsOneToWMinusThree) {
  Picture p(7, 8);
  ShadeInterior(p.view(), +32);
  for (int y = 0; y < p.h(); ++y) {
    for (int x = 0; x < p.w(); ++x) {
      const bool inside = y >= 2 && y <= 5 && x >= 1 && x <= 4;
      EXPECT_EQ(p.at(x, y), inside ? Shaded({32}) : Picture::kBase) << "x=" << x << " y=" << y;
    }
  }
  Picture dark(4, 5);
  ShadeInterior(dark.view(), -32);
  EXPECT_EQ(dark.at(1, 2), Shaded({-32})) << "the smallest picture with an inside has one pixel";
  EXPECT_EQ(dark.at(2, 2), Picture::kBase);
  for (auto [w, h] : {std::pair{3, 9}, std::pair{9, 4}, std::pair{0, 9}, std::pair{9, 0}, std::pair{1, 1}}) {
    Picture none(w, h);
    ShadeInterior(none.view(), -32);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) EXPECT_EQ(none.at(x, y), Picture::kBase) << w << "x" << h;
    }
  }
}

TEST(ShadeEdge, APictureInsideAWiderBufferShadesLikeAContiguousOneAndLeavesThePadding) {
  constexpr int w = 6, h = 7, stride = 9;
  constexpr uint32_t padding = 0x00123456;
  for (int delta : {32, -32}) {
    Picture alone(w, h);
    ShadeEdge(alone.view());
    ShadeInterior(alone.view(), delta);
    std::vector<uint32_t> buffer(static_cast<std::size_t>(stride) * h, padding);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) buffer[y * stride + x] = Picture::kBase;
    }
    const PixelPicture inside = {w, h, buffer.data(), stride};
    ShadeEdge(inside);
    ShadeInterior(inside, delta);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < stride; ++x) {
        EXPECT_EQ(buffer[y * stride + x], x < w ? alone.at(x, y) : padding) << "x=" << x << " y=" << y;
      }
    }
  }
}

TEST(ShadeDarkRow, TheSumOfAveragesDecidesAt381) {
  const std::vector<uint32_t> sum381 = {0x007F7F7F};
  EXPECT_EQ(IsDarkRow(sum381.data(), 1), true);
  const std::vector<uint32_t> sum382 = {0x007F807F};
  EXPECT_EQ(IsDarkRow(sum382.data(), 1), false);
  // Averages are divided separately and truncated: red (255 + 0) / 2 = 127, green and blue 127.
  const std::vector<uint32_t> pair = {0x00FFFFFF, 0x00000000};
  EXPECT_EQ(IsDarkRow(pair.data(), 2), true);
  const std::vector<uint32_t> light = {0x00FFFFFF, 0x00000202};
  EXPECT_EQ(IsDarkRow(light.data(), 2), false) << "128 + 128 + 127";
}

TEST(ShadeDarkRow, UnreadablePixelsAreCountedButNotSummed) {
  const std::vector<uint32_t> row = {0x00FFFFFF, kUnreadablePixel};
  EXPECT_EQ(IsDarkRow(row.data(), 2), true) << "white halved by the unreadable pixel";
  const std::vector<uint32_t> allUnreadable = {kUnreadablePixel, kUnreadablePixel};
  EXPECT_EQ(IsDarkRow(allUnreadable.data(), 2), true);
  const std::vector<uint32_t> mostlyWhite = {0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, kUnreadablePixel};
  EXPECT_EQ(IsDarkRow(mostlyWhite.data(), 4), false);
}

TEST(ShadeDarkRow, NoPixelGivesNoAnswer) {
  EXPECT_EQ(IsDarkRow(nullptr, 0), std::nullopt);
  const uint32_t one = 0;
  EXPECT_EQ(IsDarkRow(&one, 0), std::nullopt);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::string_view line : LayoutLines(text)) lines.emplace_back(line);
  return lines;
}

using L = std::vector<std::string>;

TEST(LayoutLines, SplitsAtCrLfAndDropsOneFinalLineBreak) {
  EXPECT_EQ(Lines("ab\r\ncd"), (L{"ab", "cd"}));
  EXPECT_EQ(Lines("ab\r\ncd\r\n"), Lines("ab\r\ncd"));
  EXPECT_EQ(Lines("a\r\n"), (L{"a"}));
  EXPECT_EQ(Lines("ab\r\n\r\n"), (L{"ab", ""})) << "only one line break is dropped";
  EXPECT_EQ(Lines("\r\n\r\n"), (L{"", ""}));
}

TEST(LayoutLines, ATextOfOneLineBreakOrNothingKeepsItsLines) {
  EXPECT_EQ(Lines(""), (L{""}));
  EXPECT_EQ(Lines("\r\n"), (L{"", ""}));
  EXPECT_EQ(Lines("x"), (L{"x"}));
}

TEST(LayoutLines, TheByteAfterACrIsSkippedWhateverItIs) {
  EXPECT_EQ(Lines("ab\r"), (L{"ab", ""})) << "a CR as the last byte leaves an empty last line";
  EXPECT_EQ(Lines("\r"), (L{"", ""}));
  EXPECT_EQ(Lines("a\rbc"), (L{"a", "c"}));
  EXPECT_EQ(Lines("a\r\rb"), (L{"a", "", ""}));
}

TEST(LayoutLines, ALoneLfStaysInItsLineAndTabsAreKept) {
  EXPECT_EQ(Lines("a\nb"), (L{"a\nb"}));
  EXPECT_EQ(Lines("a\n"), (L{"a\n"}));
  EXPECT_EQ(Lines("a\tb\r\n\tc"), (L{"a\tb", "\tc"}));
}

TEST(LayoutLines, ATrailByteNeverEndsALine) {
  // 0x95 0x0D is no valid character, yet the lead byte still takes the next byte with it.
  EXPECT_EQ(Lines("\x95\r\nab"), (L{"\x95\r\nab"}));
  EXPECT_EQ(Lines("\x83\x41\r\n\x83\x42"), (L{"\x83\x41", "\x83\x42"}));
  // A test that takes every byte for a lead byte pairs them up and so ends no line at an odd CR.
  EXPECT_EQ(LayoutLines("a\rb\rcd", [](unsigned char) { return true; }).size(), 1u);
}

TEST(LayoutLines, ALeadByteAtTheEndStaysInTheLastLineWithoutReadingFurther) {
  // Sized exactly, so the sanitizer sees any read past the end.
  for (const std::string& text : {std::string("a\x95"), std::string("\x95"), std::string("a\r\nb\x95")}) {
    const std::vector<char> bytes(text.begin(), text.end());
    const std::vector<std::string_view> lines = LayoutLines(std::string_view(bytes.data(), bytes.size()));
    ASSERT_FALSE(lines.empty()) << text;
    EXPECT_EQ(lines.back().back(), '\x95');
    EXPECT_EQ(lines.back().data() + lines.back().size(), bytes.data() + bytes.size());
  }
  EXPECT_EQ(Lines("a\x95\r\n"), (L{"a\x95"})) << "the dropped line break is not taken as its trail";
}

TEST(LayoutLines, LinesAreViewsInsideTheText) {
  const std::string text = "one\r\ntwo\r\r\n";
  for (std::string_view line : LayoutLines(text)) {
    EXPECT_GE(line.data(), text.data());
    EXPECT_LE(line.data() + line.size(), text.data() + text.size());
  }
}

}  // namespace
}  // namespace pinlark
