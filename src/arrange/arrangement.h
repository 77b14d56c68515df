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

// The corner (right edge, top) from which the columns start, margins included. `officeBar` is
// the bar's rectangle when the OfficeBar setting is on and the bar exists.
ScreenPoint WorkAreaCorner(Extent screen, const std::optional<Rect>& taskbar, const std::optional<Rect>& officeBar,
                           int cxMergin, int cyMergin);

// Where each entry goes (its new left and top), in the order given (sorted by top). A column is
// full when the next memo would pass the bottom of the screen; the next column starts at
// cyMergin, 10 pixels left of the widest memo of the previous one.
struct Placement {
  int slot;
  int left;
  int top;
};
std::vector<Placement> ArrangeColumns(const std::vector<ArrangeEntry>& sorted, ScreenPoint corner, int screenHeight,
                                      int cyMergin, int cyInterval);

// The top-left corner of a new memo window (50 pixels wide). `arranged` holds the rectangles of
// the memo list's memos without NoArrange, in list order; `useCorner` is true for a trash memo
// or an empty memo list, which start at the work-area corner.
inline constexpr int kNewMemoWidth = 50;
inline constexpr int kNewMemoHeight = 10;
ScreenPoint NewMemoPosition(Extent screen, int cxMergin, int cyMergin, const std::vector<Rect>& arranged,
                            bool useCorner, ScreenPoint corner);

}  // namespace pinlark
