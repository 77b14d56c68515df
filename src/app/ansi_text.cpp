#include "app/ansi_text.h"

namespace pinlark {

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string CutAtCharBoundary(std::string_view text, std::size_t maxBytes, LeadBytePredicate isLead) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width = (isLead(static_cast<unsigned char>(text[end])) && end + 1 < text.size()) ? 2 : 1;
    if (end + width > maxBytes) break;
    end += width;
  }
  return std::string(text.substr(0, end));
}

}  // namespace pinlark
