#include "memo/memo_sizing.h"

#include <algorithm>

namespace pinlark {

Extent MemoTextExtent(std::string_view text, Extent minimum, const LineMeasure& measure) {
  int width = minimum.width;
  int height = 0;
  const std::size_t length = text.size();
  std::size_t start = 0;
  for (std::size_t i = 0; i <= length; ++i) {
    if (i < length && text[i] != '\r') continue;
    if (start >= i && i == length) break;  // empty text, or a line break at the very end
    const std::string_view line = start < i ? text.substr(start, i - start) : std::string_view();
    const Extent lineExtent = measure(line);
    height += std::max(lineExtent.height, minimum.height);
    width = std::max(width, lineExtent.width);
    start = i + 2;  // past the CR and the LF that follows it
  }
  return {width, height};
}

Rect AutoSizedRect(const Rect& old, Extent text, int cxBorder, int cyBorder, bool keepLeft) {
  const int width = text.width + cxBorder + 4;
  const int height = text.height + cyBorder + 4;
  const int left = keepLeft ? old.left : old.right - width;
  return {left, old.top, left + width, old.top + height};
}

}  // namespace pinlark
