// Finding bytes in long byte strings (memo lines are tens of kilobytes), eight bytes at a time.
// The C library's memchr is not always fast: the one the program gets under Wine goes byte by
// byte, and a save searches megabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace pinlark {
namespace byte_search {

inline constexpr uint64_t kOnes = 0x0101010101010101ull;
inline constexpr uint64_t kHighs = 0x8080808080808080ull;

// The words below are read as stored in memory, so their lowest byte comes first only on a
// little-endian machine (every Windows machine); the searches depend on that only to find
// where a marked byte is.
inline constexpr bool kLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

// Marks with its high bit every byte of `word` that is below `limit` (at most 0x80), and
// maybe bytes after a marked one: the first mark is always right, and there is a mark exactly
// when such a byte is there.
inline uint64_t ByteBelowIn(uint64_t word, unsigned char limit) {
  return (word - kOnes * limit) & ~word & kHighs;
}
// The same for bytes that are zero.
inline uint64_t ZeroByteIn(uint64_t word) { return ByteBelowIn(word, 1); }

// The index of the first marked byte of a word with a mark.
inline std::size_t FirstMarked(uint64_t marks) {
  return kLittleEndian ? static_cast<std::size_t>(__builtin_ctzll(marks)) / 8
                       : static_cast<std::size_t>(__builtin_clzll(marks)) / 8;
}

inline uint64_t Word(const char* at) {
  uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

}  // namespace byte_search

// The position of the first `c` in `s`, or npos.
inline std::size_t FindByte(std::string_view s, char c) {
  using namespace byte_search;
  const uint64_t pattern = kOnes * static_cast<unsigned char>(c);
  std::size_t i = 0;
  while (i + 8 <= s.size() && ZeroByteIn(Word(s.data() + i) ^ pattern) == 0) i += 8;
  for (; i < s.size(); ++i) {
    if (s[i] == c) return i;
  }
  return std::string_view::npos;
}

// True when `s` holds a CR, an LF or a NUL.
inline bool HasLineBreakOrNul(std::string_view s) {
  using namespace byte_search;
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    const uint64_t word = Word(s.data() + i);
    if ((ZeroByteIn(word ^ (kOnes * '\r')) | ZeroByteIn(word ^ (kOnes * '\n')) | ZeroByteIn(word)) != 0) {
      return true;
    }
  }
  for (; i < s.size(); ++i) {
    if (s[i] == '\r' || s[i] == '\n' || s[i] == '\0') return true;
  }
  return false;
}

}  // namespace pinlark
