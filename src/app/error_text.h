// The text of an error report: the caller's sentence, a line break and the system's sentence.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app/ansi_text.h"

namespace pinlark {

inline constexpr std::size_t kErrorTextMax = 511;  // the report's buffer holds 512 bytes

// "caller\nsystem", or the system text alone when there is no caller text; cut to fit the
// buffer without splitting a double-byte character.
std::string ErrorReportText(const char* callerText, std::string_view systemText,
                            LeadBytePredicate isLead = IsCp932LeadByte);

}  // namespace pinlark
