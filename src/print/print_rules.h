// The arithmetic of printed pages, apart from any device: font scaling, wrapping lines at the
// printable width, breaking pages, and the order of pages for several copies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "app/ansi_text.h"

namespace pinlark {

// The memo font's height on the printer: height × printer dots per inch ÷ screen dots per
// inch, truncated towards zero. The product is taken in 64 bits and the result kept within
// 32 bits, so no height read from a hand-edited settings file can overflow; with no screen
// resolution the height stays as it is.
int32_t PrinterFontHeight(int32_t height, int32_t printerDpi, int32_t screenDpi);

// The gap above and below the line after each memo of a print-all: a tenth of an inch.
inline int32_t PrintGap(int32_t printerDpi) { return printerDpi / 10; }

// How wide a piece of a line prints.
using MeasureWidth = std::function<int32_t(std::string_view)>;

// The pieces a line prints in on a page `width` wide, so that no text runs off its right edge:
// each piece is the longest start of the rest that fits, cut at a character boundary (never
// between the two bytes of a double-byte character). A piece holds at least one character, even
// one wider than the page. A line that fits, and an empty line, is one piece. `measure` is
// asked only for starts of the line up to about twice `width` (plus one character) wide, so a
// device that measures in 16 bits is not misled by a very long line.
std::vector<std::string_view> WrapPrintedLine(std::string_view line, int32_t width, const MeasureWidth& measure,
                                              LeadBytePredicate isLead = IsCp932LeadByte);

// Where the next thing goes on the pages of one print, from the top of the first page down.
class PageFlow {
 public:
  explicit PageFlow(int32_t pageHeight) : pageHeight_(pageHeight) {}
  // The top of a band `height` tall: here, or at the top of a new page when the band would
  // pass the bottom of a page that already holds something. The band then counts as placed.
  int32_t Place(int32_t height);
  void Advance(int32_t by) { y_ += by; }
  std::size_t page() const { return page_; }
  std::size_t pageCount() const { return page_ + 1; }

 private:
  int32_t pageHeight_;
  int32_t y_ = 0;
  std::size_t page_ = 0;
  bool pageUsed_ = false;
};

// The pages to print, by index, for `copies` copies of a document of `pageCount` pages:
// collated, the whole document once after the other (0 1 0 1); otherwise each page so many
// times (0 0 1 1). At least one copy.
std::vector<std::size_t> PrintOrder(std::size_t pageCount, int copies, bool collate);

}  // namespace pinlark
