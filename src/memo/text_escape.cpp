#include "memo/text_escape.h"

namespace pinlark {
namespace {

// A DBCS trail byte is never a line break: a lead byte followed by CR or LF cannot be copied as
// a pair, or the value would break its line in the file.
bool IsLineBreak(unsigned char byte) { return byte == '\r' || byte == '\n'; }

// Bytes a profile reader may take off either end of a value (blanks, and the end-of-file mark
// some readers treat as one), and the quotes it strips in pairs.
bool IsEatenAtEnds(unsigned char byte) {
  return byte == ' ' || byte == '\t' || byte == '\v' || byte == '\f' || byte == 0x1A || byte == '"' ||
         byte == '\'';
}

// A memo text is a C string: it ends at the first NUL.
std::string_view UpToNul(std::string_view s) {
  const std::size_t nul = s.find('\0');
  return nul == std::string_view::npos ? s : s.substr(0, nul);
}

}  // namespace

std::string EscapeMemoText(std::string_view text, LeadBytePredicate isLead) {
  const std::string source = CutAtCharBoundary(UpToNul(text), kMemoTextMax, isLead);
  std::string out;
  out.reserve(source.size() + source.size() / 8 + 2);
  for (std::size_t i = 0; i < source.size(); ++i) {
    const auto byte = static_cast<unsigned char>(source[i]);
    if (isLead(byte) && i + 1 < source.size()) {
      const auto next = static_cast<unsigned char>(source[i + 1]);
      if (IsLineBreak(next)) {
        // A lead byte standing alone before a line break: the backslash keeps the reader from
        // pairing it with the backslash of the escape that follows.
        out += '\\';
        out += source[i];
        continue;
      }
      // The second byte of a double-byte character may be 0x5C; it is not a backslash.
      out += source[i];
      out += source[++i];
      continue;
    }
    switch (byte) {
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default: out += source[i]; break;
    }
  }
  // The reader trims blanks and strips one pair of surrounding quotes; one pair of our own
  // quotes is what it strips then, and the text inside comes back whole. Values that need no
  // protection stay as earlier versions wrote them.
  if (!out.empty() && (IsEatenAtEnds(static_cast<unsigned char>(out.front())) ||
                       IsEatenAtEnds(static_cast<unsigned char>(out.back())))) {
    out.insert(out.begin(), '"');
    out += '"';
  }
  return out;
}

// `value` is what the reader returns: already trimmed and with one pair of quotes stripped.
// The writer produces only the escapes \\ \r \n \t and a backslash before a lead byte; anything
// else after a backslash (hand edits), and a backslash at the very end, keep the backslash as
// it is and the following byte is read as usual.
std::string UnescapeMemoText(std::string_view value, LeadBytePredicate isLead) {
  const std::string_view source = UpToNul(value);
  std::string out;
  out.reserve(source.size() < kMemoTextMax ? source.size() : kMemoTextMax + 1);
  for (std::size_t i = 0; i < source.size() && out.size() <= kMemoTextMax; ++i) {
    const auto byte = static_cast<unsigned char>(source[i]);
    if (isLead(byte) && i + 1 < source.size()) {
      out += source[i];
      out += source[++i];
      continue;
    }
    if (byte != '\\' || i + 1 == source.size()) {
      out += source[i];
      continue;
    }
    const auto next = static_cast<unsigned char>(source[i + 1]);
    switch (next) {
      case '\\': out += '\\'; ++i; break;
      case 'r': out += '\r'; ++i; break;
      case 'n': out += '\n'; ++i; break;
      case 't': out += '\t'; ++i; break;
      default:
        if (isLead(next)) {
          out += source[++i];  // a lead byte standing alone
        } else {
          out += '\\';
        }
        break;
    }
  }
  return out.size() <= kMemoTextMax ? out : CutAtCharBoundary(out, kMemoTextMax, isLead);
}

}  // namespace pinlark
