#include "memo/text_escape.h"

#include <cstring>

#include "app/byte_search.h"

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
  const std::size_t nul = FindByte(s, '\0');
  return nul == std::string_view::npos ? s : s.substr(0, nul);
}

// A byte that is written as it is when no printable ASCII byte is a lead byte.
bool IsPlainAscii(unsigned char byte) { return byte >= 0x20 && byte < 0x80 && byte != '\\'; }

// How escaping writes each byte value: one or two bytes, or, for a lead byte, by the rule of
// double-byte characters. The predicate is asked once per byte value, not once per byte: the
// system's test is a call into the system, and memo texts are tens of kilobytes.
struct EscapeTable {
  explicit EscapeTable(LeadBytePredicate isLead) {
    for (int b = 0; b < 256; ++b) {
      const auto byte = static_cast<unsigned char>(b);
      lead[b] = isLead(byte);
      const char* written = byte == '\\' ? "\\\\"
                            : byte == '\r' ? "\\r"
                            : byte == '\n' ? "\\n"
                            : byte == '\t' ? "\\t"
                                           : nullptr;
      if (written != nullptr) {
        std::memcpy(out[b], written, 2);
        size[b] = 2;
      } else {
        out[b][0] = static_cast<char>(byte);
        out[b][1] = 0;
        size[b] = 1;
      }
    }
  }
  bool IsLead(char c) const { return lead[static_cast<unsigned char>(c)]; }
  // True when no printable ASCII byte is a lead byte (as in every code page Windows has): then
  // any byte from 0x20 to 0x7F but the backslash is written as it is.
  bool AsciiIsPlain() const {
    for (int b = 0x20; b < 0x80; ++b) {
      if (lead[b]) return false;
    }
    return true;
  }
  bool lead[256];
  char out[256][2];
  unsigned char size[256];
};

// The length of the longest start of `text` of at most `maxBytes` bytes that ends on a
// character boundary (as CutAtCharBoundary cuts).
std::size_t CutLength(std::string_view text, std::size_t maxBytes, const EscapeTable& table) {
  if (text.size() <= maxBytes) return text.size();
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width = (table.IsLead(text[end]) && end + 1 < text.size()) ? 2 : 1;
    if (end + width > maxBytes) break;
    end += width;
  }
  return end;
}

}  // namespace

std::string EscapeMemoText(std::string_view text, LeadBytePredicate isLead) {
  const EscapeTable table(isLead);
  text = UpToNul(text);
  const std::string_view source = text.substr(0, CutLength(text, kMemoTextMax, table));
  const std::size_t size = source.size();
  // Written through a pointer into room for the longest result (every byte escaped, and the
  // quotes): appending piece by piece costs more than the escaping itself.
  std::string out(2 * size + 2, '\0');
  char* to = out.data() + 1;  // room for an opening quote
  const bool asciiIsPlain = table.AsciiIsPlain();
  std::size_t i = 0;
  while (i < size) {
    if (asciiIsPlain && i + 8 <= size) {
      // Bytes that are written as they are, eight at a time, up to the first that may not be:
      // one with the high bit set, a control byte or a backslash. There is room for all eight
      // (at most 2 * i bytes are written so far).
      using namespace byte_search;
      const uint64_t word = Word(source.data() + i);
      const uint64_t marks = (word & kHighs) | ByteBelowIn(word, 0x20) | ZeroByteIn(word ^ (kOnes * '\\'));
      std::memcpy(to, &word, sizeof word);
      const std::size_t plain = marks == 0 ? 8 : FirstMarked(marks);
      to += plain;
      i += plain;
      if (plain == 8) continue;
    }
    // Then character by character, as long as the next byte is not one of those.
    do {
      const char c = source[i];
      if (table.IsLead(c) && i + 1 < size) {
        if (IsLineBreak(static_cast<unsigned char>(source[i + 1]))) {
          // A lead byte standing alone before a line break: the backslash keeps the reader
          // from pairing it with the backslash of the escape that follows.
          *to++ = '\\';
          *to++ = c;
          i += 1;
        } else {
          // The second byte of a double-byte character may be 0x5C; it is not a backslash.
          *to++ = c;
          *to++ = source[i + 1];
          i += 2;
        }
        continue;
      }
      const auto byte = static_cast<unsigned char>(c);
      std::memcpy(to, table.out[byte], 2);  // both bytes, so that no branch decides how many
      to += table.size[byte];
      i += 1;
    } while (i < size && !(asciiIsPlain && IsPlainAscii(static_cast<unsigned char>(source[i]))));
  }
  const std::size_t length = static_cast<std::size_t>(to - (out.data() + 1));
  // The reader trims blanks and strips one pair of surrounding quotes; one pair of our own
  // quotes is what it strips then, and the text inside comes back whole. Values that need no
  // protection stay as earlier versions wrote them.
  if (length != 0 && (IsEatenAtEnds(static_cast<unsigned char>(out[1])) ||
                      IsEatenAtEnds(static_cast<unsigned char>(out[length])))) {
    out[0] = '"';
    out[length + 1] = '"';
    out.resize(length + 2);
  } else {
    out.resize(length + 1);
    out.erase(0, 1);
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
