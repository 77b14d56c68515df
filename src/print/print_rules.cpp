#include "print/print_rules.h"

namespace pinlark {
namespace {

// The byte after the character that starts at `i`.
std::size_t NextBoundary(std::string_view text, std::size_t i, LeadBytePredicate isLead) {
  const bool twoBytes = isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
  return i + (twoBytes ? 2 : 1);
}

// The length of the longest start of `rest` that ends on a character boundary and fits in
// `width`, at least its first character. Widths grow with the text, so the search first
// doubles the count of characters tried and then halves the step: lines far wider than the
// page cost no more measuring than the piece that fits.
std::size_t FittingLength(std::string_view rest, int32_t width, const MeasureWidth& measure,
                          LeadBytePredicate isLead) {
  std::vector<std::size_t> ends;  // the boundaries found so far, after 1, 2, ... characters
  auto endAfter = [&](std::size_t count) {  // the boundary after `count` characters (1-based)
    while (ends.size() < count && (ends.empty() || ends.back() < rest.size())) {
      ends.push_back(NextBoundary(rest, ends.empty() ? 0 : ends.back(), isLead));
    }
    return ends[(count < ends.size() ? count : ends.size()) - 1];
  };
  auto fits = [&](std::size_t count) { return measure(rest.substr(0, endAfter(count))) <= width; };

  std::size_t good = 1;  // the first character goes on the line whatever its width
  std::size_t step = 1;
  while (endAfter(good) < rest.size() && fits(good + step)) {
    good += step;
    step *= 2;
  }
  if (endAfter(good) == rest.size()) return rest.size();
  for (step /= 2; step > 0; step /= 2) {
    if (fits(good + step)) good += step;
  }
  return endAfter(good);
}

}  // namespace

int32_t PrinterFontHeight(int32_t height, int32_t printerDpi, int32_t screenDpi) {
  if (screenDpi == 0) return height;
  const int64_t scaled = int64_t{height} * printerDpi / screenDpi;  // truncates towards zero
  if (scaled > INT32_MAX) return INT32_MAX;
  if (scaled < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(scaled);
}

std::vector<std::string_view> WrapPrintedLine(std::string_view line, int32_t width, const MeasureWidth& measure,
                                              LeadBytePredicate isLead) {
  // The whole line is never measured at once: only starts of it up to about twice the width.
  if (line.empty()) return {line};
  std::vector<std::string_view> pieces;
  while (!line.empty()) {
    const std::size_t length = FittingLength(line, width, measure, isLead);
    pieces.push_back(line.substr(0, length));
    line.remove_prefix(length);
  }
  return pieces;
}

int32_t PageFlow::Place(int32_t height) {
  if (pageUsed_ && int64_t{y_} + height > pageHeight_) {
    ++page_;
    y_ = 0;
  }
  pageUsed_ = true;
  return y_;
}

std::vector<std::size_t> PrintOrder(std::size_t pageCount, int copies, bool collate) {
  const std::size_t times = copies > 1 ? static_cast<std::size_t>(copies) : 1;
  std::vector<std::size_t> order;
  order.reserve(pageCount * times);
  for (std::size_t outer = 0; outer < (collate ? times : pageCount); ++outer) {
    for (std::size_t inner = 0; inner < (collate ? pageCount : times); ++inner) {
      order.push_back(collate ? inner : outer);
    }
  }
  return order;
}

}  // namespace pinlark
