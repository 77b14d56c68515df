// Auto-size: a memo's width follows its longest line, its height the number of its lines; the
// right edge stays (the left edge for a memo that is not arranged).
#pragma once

#include <functional>
#include <string_view>

#include "app/geometry.h"

namespace pinlark {

// Measures one line (tabs expand to the memo's tab stops) in the memo font.
using LineMeasure = std::function<Extent(std::string_view line)>;

// The extent of the memo text: at least `minimum` wide (the width of the minimum number of
// letters "x"), each line at least `minimum.height` high. Lines end at CR (the LF after it is
// skipped) or at the end; a text that is empty or ends with a line break has no empty last
// line. A lone LF is not a line break.
Extent MemoTextExtent(std::string_view text, Extent minimum, const LineMeasure& measure);

// The new window rectangle for that text extent: border and 4 pixels added, right edge kept
// (left edge when keepLeft), top kept.
Rect AutoSizedRect(const Rect& old, Extent text, int cxBorder, int cyBorder, bool keepLeft);

}  // namespace pinlark
