#include "edit/clipboard_rules.h"

namespace pinlark {
namespace {

constexpr char kLineBreak[] = "\r\n";
constexpr std::size_t kLineBreakLength = 2;

// System error codes the shell's failures are told with.
constexpr uint32_t kErrorOutOfMemory = 14;
constexpr uint32_t kErrorNoAssociation = 1155;
constexpr uint32_t kErrorDdeFail = 1156;
constexpr uint32_t kErrorDllNotFound = 1157;

}  // namespace

std::string FitText(std::string_view text, std::size_t limit, LeadBytePredicate isLead) {
  std::size_t end = 0;
  while (end < text.size()) {
    const bool lead = isLead(static_cast<unsigned char>(text[end]));
    if (lead && end + 1 == text.size()) break;  // a lead byte whose trail byte is missing
    const std::size_t width = lead ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  return std::string(text.substr(0, end));
}

std::optional<PastedMemoText> AppendPastedText(std::string_view memoText, std::string_view pasted, std::size_t limit,
                                               LeadBytePredicate isLead) {
  const bool needsBreak = memoText.empty() || memoText.back() != '\n';
  const std::size_t head = memoText.size() + (needsBreak ? kLineBreakLength : 0);
  if (head > limit) return std::nullopt;
  // The memo's own text is never cut: only what is pasted has to fit into the room left.
  std::string kept = FitText(pasted, limit - head, isLead);
  if (kept.empty() && !pasted.empty()) return std::nullopt;
  PastedMemoText result;
  result.cut = kept.size() < pasted.size();
  result.text.reserve(head + kept.size());
  result.text.append(memoText);
  if (needsBreak) result.text.append(kLineBreak);
  result.text.append(kept);
  return result;
}

std::optional<std::string> ShellTarget(std::string_view memoText) {
  // A CR is never the trail byte of a double-byte character: the first one ends the line.
  const std::string_view firstLine = memoText.substr(0, memoText.find('\r'));
  if (firstLine.empty() || firstLine.size() > kShellTargetMax) return std::nullopt;
  return std::string(firstLine);
}

ShellOpenReport ReportForShellResult(std::intptr_t result) {
  using Kind = ShellOpenReport::Kind;
  if (result > 32) return {Kind::kNone, 0};
  switch (result) {
    case 0: return {Kind::kSystemError, kErrorOutOfMemory};
    case 2:   // file not found
    case 3:   // path not found
    case 11:  // not a valid program
      return {Kind::kSystemError, static_cast<uint32_t>(result)};
    case 27:  // association incomplete
    case 31:  // no association
      return {Kind::kSystemError, kErrorNoAssociation};
    case 28:  // DDE time-out
    case 29:  // DDE failure
    case 30:  // DDE busy
      return {Kind::kSystemError, kErrorDdeFail};
    case 32: return {Kind::kSystemError, kErrorDllNotFound};
    default: return {Kind::kNumbered, 0};  // access denied, sharing violation and the rest
  }
}

}  // namespace pinlark
