// Where memos go: the work-area corner, the columns of the arrange operation, new memos.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>

#include "arrange/arrangement.h"

namespace pinlark {
namespace {

constexpr Extent kScreen{1024, 768};

Rect Box(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

std::vector<ArrangeEntry> Entries(std::initializer_list<Rect> rects) {
  std::vector<ArrangeEntry> entries;
  int slot = 0;
  for (const Rect& r : rects) entries.push_back({slot++, r});
  return entries;
}

TEST(WorkAreaCorner, FollowsATaskbarAtTheTopOrRightOnly) {
  const ScreenPoint plain = WorkAreaCorner(kScreen, std::nullopt, std::nullopt, 10, 10);
  EXPECT_EQ(plain.x, 1014);
  EXPECT_EQ(plain.y, 10);
  const ScreenPoint bottom = WorkAreaCorner(kScreen, Box(0, 738, 1024, 30), std::nullopt, 10, 10);
  EXPECT_EQ(bottom.x, 1014);
  EXPECT_EQ(bottom.y, 10) << "a taskbar at the bottom changes nothing";
  const ScreenPoint top = WorkAreaCorner(kScreen, Box(0, 0, 1024, 30), std::nullopt, 10, 10);
  EXPECT_EQ(top.y, 40);
  const ScreenPoint right = WorkAreaCorner(kScreen, Box(964, 0, 60, 768), std::nullopt, 7, 3);
  EXPECT_EQ(right.x, 957);
  EXPECT_EQ(right.y, 3);
  const ScreenPoint left = WorkAreaCorner(kScreen, Box(0, 0, 60, 768), std::nullopt, 10, 10);
  EXPECT_EQ(left.x, 1014);
}

TEST(WorkAreaCorner, AnOfficeBarDockedAtTheTopOrRightReplacesTheTaskbarsEdge) {
  const Rect taskbarTop = Box(0, 0, 1024, 30);
  const ScreenPoint barTop = WorkAreaCorner(kScreen, taskbarTop, Box(0, 30, 1024, 40), 10, 10);
  EXPECT_EQ(barTop.y, 80) << "the bar's bottom replaces the taskbar's";
  const ScreenPoint barRight = WorkAreaCorner(kScreen, std::nullopt, Box(990, 0, 34, 768), 10, 10);
  EXPECT_EQ(barRight.x, 980);
  const ScreenPoint floating = WorkAreaCorner(kScreen, taskbarTop, Box(300, 300, 200, 40), 10, 10);
  EXPECT_EQ(floating.x, 1014);
  EXPECT_EQ(floating.y, 40);
}

TEST(WorkAreaCorner, TheWorkAreaLeavesABarAtAnyEdgeFree) {
  const auto edges = [](const Rect& r) { return std::make_tuple(r.left, r.top, r.right, r.bottom); };
  EXPECT_EQ(edges(WorkArea(kScreen, Box(0, 0, 60, 768), Box(0, 700, 1024, 68))), std::make_tuple(60, 0, 1024, 700));
  EXPECT_EQ(edges(WorkArea(kScreen, Box(0, 738, 1024, 30), Box(0, 0, 30, 738))), std::make_tuple(30, 0, 1024, 738));
  EXPECT_EQ(edges(WorkArea(kScreen, Box(0, 300, 1024, 30), std::nullopt)), std::make_tuple(0, 0, 1024, 768))
      << "a bar across the middle leaves nothing: the whole screen";
}

TEST(OfficeBar, IsClassifiedAgainstTheScreenLessTheTaskbar) {
  EXPECT_EQ(ClassifyOfficeBar(kScreen, std::nullopt, Box(0, 0, 30, 768)), DockEdge::kLeft);
  EXPECT_EQ(ClassifyOfficeBar(kScreen, std::nullopt, Box(994, 0, 30, 768)), DockEdge::kRight);
  EXPECT_EQ(ClassifyOfficeBar(kScreen, std::nullopt, Box(0, 0, 1024, 30)), DockEdge::kTop);
  EXPECT_EQ(ClassifyOfficeBar(kScreen, std::nullopt, Box(0, 738, 1024, 30)), DockEdge::kBottom);
  EXPECT_EQ(ClassifyOfficeBar(kScreen, std::nullopt, Box(10, 10, 100, 100)), DockEdge::kFloating);
  // A horizontal taskbar of 30 leaves 738: a bar that tall counts as full height.
  EXPECT_EQ(ClassifyOfficeBar(kScreen, Box(0, 738, 1024, 30), Box(994, 0, 30, 738)), DockEdge::kRight);
  EXPECT_EQ(ClassifyOfficeBar(kScreen, std::nullopt, Box(994, 0, 30, 738)), DockEdge::kFloating);
  // A vertical taskbar of 60 leaves 964 of width: a bar that wide counts as full width.
  EXPECT_EQ(ClassifyOfficeBar(kScreen, Box(964, 0, 60, 768), Box(0, 0, 964, 30)), DockEdge::kTop);
}

TEST(Arrange, StacksFromTheCornerAndStartsANewColumnAtTheScreenBottom) {
  const auto placed = ArrangeColumns(Entries({Box(0, 0, 100, 300), Box(0, 0, 80, 300), Box(0, 0, 60, 200)}),
                                     {1014, 40}, 768, 10, 10);
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[0].left, 914);
  EXPECT_EQ(placed[0].top, 40);
  EXPECT_EQ(placed[1].left, 934) << "right-aligned in the column";
  EXPECT_EQ(placed[1].top, 350);
  // 660 + 200 > 768: a new column at the column top (10 here, below the corner), 10 left of the widest.
  EXPECT_EQ(placed[2].top, 10);
  EXPECT_EQ(placed[2].left, 1014 - 110 - 60);
}

TEST(Arrange, AMemoThatEndsExactlyAtTheBottomStillFits) {
  const auto placed = ArrangeColumns(Entries({Box(0, 0, 50, 700), Box(0, 0, 50, 48)}), {1014, 10}, 768, 10, 10);
  EXPECT_EQ(placed[1].top, 720) << "720 + 48 == 768 fits";
  const auto over = ArrangeColumns(Entries({Box(0, 0, 50, 700), Box(0, 0, 50, 49)}), {1014, 10}, 768, 10, 10);
  EXPECT_EQ(over[1].top, 10);
}

TEST(Arrange, NegativeIntervalOverlapsAndAFirstMemoTooTallStartsLeftOfTheCorner) {
  const auto overlap = ArrangeColumns(Entries({Box(0, 0, 50, 40), Box(0, 0, 50, 40)}), {1014, 10}, 768, 10, -11);
  EXPECT_EQ(overlap[1].top, 39);
  const auto tall = ArrangeColumns(Entries({Box(0, 0, 50, 800), Box(0, 0, 50, 20)}), {1014, 40}, 768, 10, 10);
  EXPECT_EQ(tall[0].top, 10);
  EXPECT_EQ(tall[0].left, 1014 - 10 - 50);
  EXPECT_EQ(tall[1].top, 10) << "the next memo starts a further column";
  EXPECT_EQ(tall[1].left, 1014 - 10 - 60 - 50);
}

TEST(Arrange, ColumnsKeepInsideTheWorkAreaAndFurtherLayersLeaveEveryTopLeftCornerInSight) {
  // Taskbar at the top, office bar at the bottom; 64 memos of one to a column.
  const Rect area = Box(0, 30, 1024, 708);
  std::vector<ArrangeEntry> memos;
  for (int i = 0; i < 64; ++i) memos.push_back({i, Box(0, 0, 150, 400)});
  const auto placed = ArrangeInWorkArea(memos, area, 10, 10, 10);
  ASSERT_EQ(placed.size(), 64u);
  EXPECT_EQ(placed[1].left, 1014 - 150 - 160) << "the first layer as ever";
  EXPECT_EQ(placed[1].top, 40) << "every column starts below the taskbar";
  for (const Placement& p : placed) {
    EXPECT_TRUE(p.left >= 0 && p.left + 150 <= 1024 && p.top >= 40 && p.top + 400 <= 708) << "slot " << p.slot;
    // A memo of the same or a later layer lies over it: none may cover its top left corner.
    for (const Placement& q : placed) {
      if (q.slot == p.slot || q.layer < p.layer) continue;
      EXPECT_FALSE(p.left >= q.left && p.left < q.left + 150 && p.top >= q.top && p.top < q.top + 400)
          << "slot " << p.slot << " under slot " << q.slot;
    }
  }
  EXPECT_GT(placed[63].layer, 0);
}

TEST(Arrange, AMemoThatFitsNowhereStillShowsItsTopLeftCornerForAnyMargins) {
  const Rect small = Box(0, 0, 640, 450);
  EXPECT_EQ(ArrangeInWorkArea(Entries({Box(0, 0, 200, 100)}), small, 10, 500, 10)[0].top, 450 - kLayerOffset);
  const auto wide = ArrangeInWorkArea(Entries({Box(0, 0, 50, 50), Box(0, 0, 700, 50)}), small, 10, 10, 10);
  EXPECT_EQ(std::make_pair(wide[1].left, wide[1].top), std::make_pair(0, 70)) << "wider than the work area";
  const int big = std::numeric_limits<int>::max();
  const Rect huge{-big, -big, big, big};
  for (const Placement& p : ArrangeInWorkArea(Entries({huge, huge, Box(0, 0, 10, 10)}), small, -big - 1, big, big)) {
    EXPECT_TRUE(p.left >= 0 && p.top >= 0 && p.top < 450) << p.left << ", " << p.top;
  }
}

TEST(Arrange, SortsByTopKeepingListOrderForEqualTops) {
  const auto sorted = SortByTop(Entries({Box(0, 50, 10, 10), Box(0, 20, 10, 10), Box(0, 50, 10, 10), Box(0, 20, 10, 10)}));
  ASSERT_EQ(sorted.size(), 4u);
  EXPECT_EQ(sorted[0].slot, 1);
  EXPECT_EQ(sorted[1].slot, 3);
  EXPECT_EQ(sorted[2].slot, 0);
  EXPECT_EQ(sorted[3].slot, 2);
  EXPECT_TRUE(ArrangeColumns({}, {1014, 10}, 768, 10, 10).empty());
}

TEST(NewMemoPosition, GoesBelowTheMemosTheWalkReaches) {
  const ScreenPoint corner{1014, 10};
  const ScreenPoint p = NewMemoPosition(kScreen, 10, 10, {Box(900, 50, 50, 50), Box(900, 55, 50, 50)}, false, corner);
  EXPECT_EQ(p.y, 110) << "bottoms 100 then 105: the second does not raise it";
  EXPECT_EQ(p.x, 1024 - 10 - 50);
  const ScreenPoint order = NewMemoPosition(kScreen, 10, 10, {Box(900, 0, 50, 5), Box(900, 0, 50, 30)}, false, corner);
  EXPECT_EQ(order.y, 40) << "5 is above the starting y; 30 raises it";
  const ScreenPoint wrap = NewMemoPosition(kScreen, 10, 10, {Box(900, 700, 50, 65)}, false, corner);
  EXPECT_EQ(wrap.y, 0) << "below the screen bottom: top of the screen";
  const ScreenPoint first = NewMemoPosition(kScreen, 10, 10, {}, true, {990, 45});
  EXPECT_EQ(first.x, 940);
  EXPECT_EQ(first.y, 45);
}

TEST(OnAnyMonitor, NeedsOnePixelInsideSomeMonitor) {
  const std::vector<Rect> monitors = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
  const struct {
    Rect rect;
    bool on;
  } cases[] = {
      {{-50, -50, 1, 1}, true},         // its bottom-right pixel is the first monitor's corner
      {{-50, -50, 0, 0}, false},        // wholly left of and above it
      {{2048, 100, 2100, 200}, false},  // right of the second
      {{1000, 760, 1100, 800}, true},   // across both
      {{300, 300, 300, 400}, true},     // empty: its top-left pixel is inside
      {{3000, 300, 2990, 400}, false},  // empty and its corner outside
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OnAnyMonitor(c.rect, monitors), c.on) << c.rect.left << "," << c.rect.top << "," << c.rect.right << ","
                                                    << c.rect.bottom;
  }
  EXPECT_FALSE(OnAnyMonitor({0, 0, 10, 10}, {}));
}

}  // namespace
}  // namespace pinlark
