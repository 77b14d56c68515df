#include "arrange/arrangement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace pinlark {
namespace {

// A coordinate worked out in 64 bits, brought back into the range of an int.
int Saturated(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

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

Rect WorkArea(Extent screen, const std::optional<Rect>& taskbar, const std::optional<Rect>& officeBar) {
  const Rect whole{0, 0, screen.width, screen.height};
  Rect area = whole;
  if (taskbar) {
    if (taskbar->bottom < screen.height) area.top = taskbar->bottom;  // docked at the top
    if (taskbar->left > 0) area.right = taskbar->left;                // docked at the right
    if (taskbar->top > 0) area.bottom = taskbar->top;                 // docked at the bottom
    if (taskbar->right < screen.width) area.left = taskbar->right;    // docked at the left
  }
  if (officeBar) {
    switch (ClassifyOfficeBar(screen, taskbar, *officeBar)) {
      case DockEdge::kTop: area.top = officeBar->bottom; break;
      case DockEdge::kRight: area.right = officeBar->left; break;
      case DockEdge::kBottom: area.bottom = officeBar->top; break;
      case DockEdge::kLeft: area.left = officeBar->right; break;
      default: break;
    }
  }
  // Bars lying across the screen leave nothing between them: the memos keep the whole screen.
  if (area.left < 0 || area.top < 0 || area.right > screen.width || area.bottom > screen.height ||
      area.left >= area.right || area.top >= area.bottom) {
    return whole;
  }
  return area;
}

ScreenPoint WorkAreaCorner(const Rect& workArea, int cxMergin, int cyMergin) {
  // Margins wider than the work area itself still leave the corner inside it.
  return {static_cast<int>(std::clamp<int64_t>(int64_t{workArea.right} - cxMergin, workArea.left, workArea.right)),
          static_cast<int>(std::clamp<int64_t>(int64_t{workArea.top} + cyMergin, workArea.top, workArea.bottom))};
}

ScreenPoint WorkAreaCorner(Extent screen, const std::optional<Rect>& taskbar, const std::optional<Rect>& officeBar,
                           int cxMergin, int cyMergin) {
  return WorkAreaCorner(WorkArea(screen, taskbar, officeBar), cxMergin, cyMergin);
}

std::vector<Placement> ArrangeColumns(const std::vector<ArrangeEntry>& sorted, ScreenPoint corner, int bottom,
                                      int columnTop, int cyInterval, int left) {
  std::vector<Placement> placements;
  placements.reserve(sorted.size());
  int layer = 0;
  int64_t shift = 0;  // how far the current layer lies below the first
  int64_t x = corner.x;
  int64_t y = corner.y;
  int64_t columnWidth = 0;
  bool layerHasMemos = false;
  const auto newColumn = [&] {
    y = columnTop + shift;
    x -= columnWidth + kColumnGap;
    columnWidth = 0;
  };
  for (const ArrangeEntry& entry : sorted) {
    const int64_t width = int64_t{entry.rect.right} - entry.rect.left;
    const int64_t height = int64_t{entry.rect.bottom} - entry.rect.top;
    if (y + height > bottom) newColumn();
    if (x - width < left && layerHasMemos && corner.x - width >= left) {
      // Further left the memo would be out of reach: a new layer from the corner. One that
      // would start too low to be seen starts at the first layer's place again. A memo wider
      // than the whole room gains nothing by it and stays where it is.
      ++layer;
      shift += kLayerOffset;
      if (int64_t{corner.y} + shift > int64_t{bottom} - kLayerOffset) shift = 0;
      x = corner.x;
      y = corner.y + shift;
      columnWidth = 0;
      layerHasMemos = false;
      if (y + height > bottom) newColumn();
    }
    const int64_t memoLeft = std::max(x - width, int64_t{left});
    const int64_t top = y + height > bottom ? std::min(y, int64_t{bottom} - kLayerOffset) : y;
    placements.push_back({entry.slot, Saturated(memoLeft), Saturated(top), layer});
    layerHasMemos = true;
    y += height + cyInterval;
    columnWidth = std::max(columnWidth, width);
  }
  return placements;
}

std::vector<Placement> ArrangeInWorkArea(const std::vector<ArrangeEntry>& sorted, const Rect& workArea, int cxMergin,
                                         int cyMergin, int cyInterval) {
  const ScreenPoint corner = WorkAreaCorner(workArea, cxMergin, cyMergin);
  return ArrangeColumns(sorted, corner, workArea.bottom, corner.y, cyInterval, workArea.left);
}

ScreenPoint NewMemoPosition(Extent screen, int cxMergin, int cyMergin, const std::vector<Rect>& arranged,
                            bool useCorner, ScreenPoint corner) {
  if (useCorner) return {Saturated(int64_t{corner.x} - kNewMemoWidth), corner.y};
  int64_t y = cyMergin;
  // The walk only ever raises y: a memo whose bottom lies above the y reached does not count.
  for (const Rect& rect : arranged) {
    if (rect.bottom > y) y = int64_t{rect.bottom} + cyMergin;
  }
  if (y > screen.height) y = 0;
  return {Saturated(int64_t{screen.width} - cxMergin - kNewMemoWidth), static_cast<int>(y)};
}

bool OnAnyMonitor(const Rect& rect, const std::vector<Rect>& monitors) {
  Rect r = rect;
  if (r.right <= r.left || r.bottom <= r.top) r = {r.left, r.top, r.left + 1, r.top + 1};
  for (const Rect& m : monitors) {
    if (r.left < m.right && m.left < r.right && r.top < m.bottom && m.top < r.bottom) return true;
  }
  return false;
}

}  // namespace pinlark
