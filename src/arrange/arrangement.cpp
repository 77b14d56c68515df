#include "arrange/arrangement.h"

namespace pinlark {

std::vector<ArrangeEntry> SortByTop(const std::vector<ArrangeEntry>& entries) {
  std::vector<ArrangeEntry> sorted;
  sorted.reserve(entries.size());
  for (const ArrangeEntry& entry : entries) {
    // Before the first entry whose top is strictly greater: equal tops keep their order.
    auto at = sorted.begin();
    while (at != sorted.end() && at->rect.top <= entry.rect.top) ++at;
    sorted.insert(at, entry);
  }
  return sorted;
}

DockEdge ClassifyOfficeBar(Extent screen, const std::optional<Rect>& taskbar, const Rect& bar) {
  int availableHeight = screen.height;
  int availableWidth = screen.width;
  if (taskbar) {
    if (taskbar->Width() >= screen.width) availableHeight = screen.height - taskbar->Height();  // horizontal
    if (taskbar->Height() >= availableHeight) availableWidth = screen.width - taskbar->Width();  // vertical
  }
  if (bar.Height() >= availableHeight) return bar.right >= availableWidth ? DockEdge::kRight : DockEdge::kLeft;
  if (bar.Width() >= availableWidth) return bar.bottom >= availableHeight ? DockEdge::kBottom : DockEdge::kTop;
  return DockEdge::kFloating;
}

ScreenPoint WorkAreaCorner(Extent screen, const std::optional<Rect>& taskbar, const std::optional<Rect>& officeBar,
                           int cxMergin, int cyMergin) {
  int right = screen.width;
  int top = 0;
  if (taskbar) {
    if (taskbar->bottom < screen.height) top = taskbar->bottom;  // docked at the top
    if (taskbar->left > 0) right = taskbar->left;                // docked at the right
  }
  if (officeBar) {
    switch (ClassifyOfficeBar(screen, taskbar, *officeBar)) {
      case DockEdge::kTop: top = officeBar->bottom; break;
      case DockEdge::kRight: right = officeBar->left; break;
      default: break;
    }
  }
  return {right - cxMergin, top + cyMergin};
}

std::vector<Placement> ArrangeColumns(const std::vector<ArrangeEntry>& sorted, ScreenPoint corner, int screenHeight,
                                      int cyMergin, int cyInterval) {
  std::vector<Placement> placements;
  placements.reserve(sorted.size());
  int x = corner.x;
  int y = corner.y;
  int columnWidth = 0;
  for (const ArrangeEntry& entry : sorted) {
    const int width = entry.rect.Width();
    const int height = entry.rect.Height();
    if (y + height > screenHeight) {
      // A new column starts at the screen's top margin, 10 pixels left of the widest memo.
      y = cyMergin;
      x -= columnWidth + 10;
      columnWidth = 0;
    }
    placements.push_back({entry.slot, x - width, y});
    y += height + cyInterval;
    if (width > columnWidth) columnWidth = width;
  }
  return placements;
}

ScreenPoint NewMemoPosition(Extent screen, int cxMergin, int cyMergin, const std::vector<Rect>& arranged,
                            bool useCorner, ScreenPoint corner) {
  if (useCorner) return {corner.x - kNewMemoWidth, corner.y};
  int y = cyMergin;
  // The walk only ever raises y: a memo whose bottom lies above the y reached does not count.
  for (const Rect& rect : arranged) {
    if (rect.bottom > y) y = rect.bottom + cyMergin;
  }
  if (y > screen.height) y = 0;
  return {screen.width - cxMergin - kNewMemoWidth, y};
}

}  // namespace pinlark
