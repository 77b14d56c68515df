// Where memos go: the corner of the work area, the columns of the arrange operation and the
// place of a new memo. Plain values in, plain values out: the callers read the real windows.
#pragma once

#include <optional>
#include <vector>

#include "app/geometry.h"

namespace pinlark {

// One memo taking part in an arrangement: its slot in the memo list and its window rectangle.
struct ArrangeEntry {
  int slot;
  Rect rect;
};

// Orders by top, ascending; equal tops keep their given (memo-list) order.
std::vector<ArrangeEntry> SortByTop(const std::vector<ArrangeEntry>& entries);

enum class DockEdge { kLeft = 0, kRight = 1, kTop = 2, kBottom = 3, kFloating = 4 };

// Which edge the office shortcut bar is docked at, judged against the screen less a
// horizontal or vertical taskbar.
DockEdge ClassifyOfficeBar(Extent screen, const std::optional<Rect>& taskbar, const Rect& bar);

// The work area: the screen less a taskbar docked at any edge and, when `officeBar` is given
// (the OfficeBar setting is on and the bar exists), less the office bar docked at an edge. A
// taskbar at the top or right is told by its bottom or left edge lying inside the screen, one at
// the bottom or left likewise by its top or right edge. The whole screen when nothing is left.
Rect WorkArea(Extent screen, const std::optional<Rect>& taskbar, const std::optional<Rect>& officeBar);

// The corner (right edge, top) of the work area from which the columns start, margins included;
// margins larger than the work area leave the corner at its edge.
ScreenPoint WorkAreaCorner(const Rect& workArea, int cxMergin, int cyMergin);
ScreenPoint WorkAreaCorner(Extent screen, const std::optional<Rect>& taskbar, const std::optional<Rect>& officeBar,
                           int cxMergin, int cyMergin);

// The gap between two columns, and how far each further layer of columns lies below the one
// before: as far as memos lie apart in a column at the default interval, so that a memo of the
// next layer covers neither the top of the memo it lies on nor that of the one below it.
inline constexpr int kColumnGap = 10;
inline constexpr int kLayerOffset = 10;

// Where each entry goes (its new left and top), in the order given (sorted by top). The first
// column's memos have their right edges at `corner.x` and start at `corner.y`; a column is full
// when the next memo would pass `bottom`, and the next column starts at `columnTop`, kColumnGap
// left of the widest memo of the one before. A memo that fits in no column still starts one, at
// its top. When a memo would reach left of `left`, the columns start again at the corner as a
// further layer, kLayerOffset lower than the one before; a layer after the first lies over the
// ones before (`layer` counts from 0). A memo wider than the room keeps its left edge at `left`,
// and none starts less than kLayerOffset above `bottom`. Computed in 64 bits: no input overflows.
struct Placement {
  int slot;
  int left;
  int top;
  int layer = 0;
};
std::vector<Placement> ArrangeColumns(const std::vector<ArrangeEntry>& sorted, ScreenPoint corner, int bottom,
                                      int columnTop, int cyInterval, int left = 0);

// The columns of the arrange operation inside `workArea`: from its corner, every column starting
// cyMergin below its top and ending at its bottom, no memo left of its left edge.
std::vector<Placement> ArrangeInWorkArea(const std::vector<ArrangeEntry>& sorted, const Rect& workArea, int cxMergin,
                                         int cyMergin, int cyInterval);

// The top-left corner of a new memo window (50 pixels wide). `arranged` holds the rectangles of
// the memo list's memos without NoArrange, in list order; `useCorner` is true for a trash memo
// or an empty memo list, which start at the work-area corner.
inline constexpr int kNewMemoWidth = 50;
inline constexpr int kNewMemoHeight = 10;
ScreenPoint NewMemoPosition(Extent screen, int cxMergin, int cyMergin, const std::vector<Rect>& arranged,
                            bool useCorner, ScreenPoint corner);

// Whether `rect` shares a pixel with any of `monitors`, as the window system decides which
// monitor a window is on; an empty rectangle counts as its top-left pixel.
bool OnAnyMonitor(const Rect& rect, const std::vector<Rect>& monitors);

}  // namespace pinlark
