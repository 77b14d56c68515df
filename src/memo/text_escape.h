// Memo text in the settings file: one line per memo, so line breaks, tabs and backslashes are
// escaped, and the value must come back byte for byte through the reader's trimming of blanks
// and quotes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app/ansi_text.h"

namespace pinlark {

inline constexpr std::size_t kMemoTextMax = 65534;  // bytes, without the terminating NUL

// The stored form of a memo text (at most twice its length plus a little).
std::string EscapeMemoText(std::string_view text, LeadBytePredicate isLead = IsCp932LeadByte);
// The memo text of a stored value (as the settings reader returns it), at most kMemoTextMax bytes.
std::string UnescapeMemoText(std::string_view value, LeadBytePredicate isLead = IsCp932LeadByte);

}  // namespace pinlark
