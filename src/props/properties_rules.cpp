#include "props/properties_rules.h"

#include <limits>

namespace pinlark {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Digits between optional blanks, as a magnitude; nothing for any other text or a magnitude
// beyond `limit`.
std::optional<uint64_t> Magnitude(std::string_view digits, uint64_t limit) {
  std::size_t end = digits.size();
  while (end > 0 && IsBlank(digits[end - 1])) --end;
  digits = digits.substr(0, end);
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > limit) return std::nullopt;
  }
  return value;
}

std::string_view SkipLeadingBlanks(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  return text.substr(start);
}

}  // namespace

bool MinColumnAcceptable(uint32_t columns) {
  return columns >= kMinColumnLowest && columns <= kMinColumnHighest;
}

std::optional<int32_t> ParseUnsignedField(std::string_view text) {
  const auto value = Magnitude(SkipLeadingBlanks(text), std::numeric_limits<int32_t>::max());
  if (!value) return std::nullopt;
  return static_cast<int32_t>(*value);
}

std::optional<int32_t> ParseSignedField(std::string_view text) {
  text = SkipLeadingBlanks(text);
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  const uint64_t limit = negative ? uint64_t{1} << 31 : std::numeric_limits<int32_t>::max();
  const auto value = Magnitude(text, limit);
  if (!value) return std::nullopt;
  return static_cast<int32_t>(negative ? -static_cast<int64_t>(*value) : static_cast<int64_t>(*value));
}

std::array<ScreenPoint, 3> PlayTriangle(const Rect& face, bool pressed) {
  const int w = face.Width();
  const int h = face.Height();
  const int dx = face.left + (pressed ? 1 : 0);
  const int dy = face.top + (pressed ? 1 : 0);
  return {{{w / 3 + dx, h / 3 - 1 + dy}, {w / 3 + dx, 2 * h / 3 + dy}, {2 * w / 3 + dx, h / 2 + dy}}};
}

}  // namespace pinlark
