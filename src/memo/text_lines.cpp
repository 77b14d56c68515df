#include "memo/text_lines.h"

namespace pinlark {

std::vector<std::string_view> LayoutLines(std::string_view text, LeadBytePredicate isLead, std::size_t maxLines) {
  std::size_t length = text.size();
  // A memo saved with a line break after its last line draws no empty line for it; a text that
  // is nothing but one line break keeps it.
  if (length > 2 && text.substr(length - 2) == "\r\n") length -= 2;

  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= length && lines.size() < maxLines; ++i) {
    if (i < length && isLead(static_cast<unsigned char>(text[i]))) {
      // The trail byte may be any byte; a lead byte at the very end has none and the end of
      // the text still closes the last line.
      if (i + 1 < length) ++i;
      continue;
    }
    if (i == length || text[i] == '\r') {
      // After a CR that was the last byte the next line starts past the end: it is empty.
      lines.push_back(start <= i ? text.substr(start, i - start) : text.substr(i, 0));
      start = i + 2;
    }
  }
  return lines;
}

}  // namespace pinlark
