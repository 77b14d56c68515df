// Byte strings in the system's ANSI code page (Shift-JIS on a Japanese system): cutting them
// without splitting a double-byte character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pinlark {

// Tells whether a byte starts a double-byte character. The Windows side passes the system's
// own test; the default is the rule of code page 932.
using LeadBytePredicate = bool (*)(unsigned char);
bool IsCp932LeadByte(unsigned char byte);

// The longest start of `text` of at most `maxBytes` bytes that ends on a character boundary.
std::string CutAtCharBoundary(std::string_view text, std::size_t maxBytes,
                              LeadBytePredicate isLead = IsCp932LeadByte);

}  // namespace pinlark
