// The lines a memo's text is drawn in (painting and printing).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "app/ansi_text.h"

namespace pinlark {

// Lines are separated by CR LF (the byte after a CR is skipped, whatever it is); a final CR LF
// of a text longer than two bytes is dropped; a trail byte of a double-byte character never ends
// a line; an empty text is one empty line, and so is whatever follows the last CR. A lone LF
// stays in its line. A lead byte with no byte after it stays in the last line. The lines are
// views into `text`. At most the first `maxLines` lines, walking the text no further.
std::vector<std::string_view> LayoutLines(std::string_view text, LeadBytePredicate isLead = IsCp932LeadByte,
                                          std::size_t maxLines = SIZE_MAX);

}  // namespace pinlark
