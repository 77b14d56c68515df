#include "app/error_text.h"

namespace pinlark {

std::string ErrorReportText(const char* callerText, std::string_view systemText, LeadBytePredicate isLead) {
  std::string text;
  if (callerText != nullptr) {
    text = callerText;
    text += '\n';
  }
  text += systemText;
  return CutAtCharBoundary(text, kErrorTextMax, isLead);
}

}  // namespace pinlark
