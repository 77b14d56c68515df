#include "app/byte_search.h"

#include <gtest/gtest.h>

#include <string>

namespace pinlark {
namespace {

// Bytes that differ from the ones searched for only in one bit, or that borrow in the
// eight-at-a-time arithmetic.
const char kNearMisses[] = {'\x8A', '\x8D', '\x80', '\xFF', '\x01', '\x0B', '\x0C', '\x0E', '\x09', 'x'};

std::string Filler(std::size_t length, std::size_t seed) {
  std::string s;
  for (std::size_t i = 0; i < length; ++i) s += kNearMisses[(i + seed) % sizeof kNearMisses];
  return s;
}

TEST(ByteSearch, FindsTheFirstByteAtEveryPositionAndLength) {
  for (std::size_t length = 0; length <= 40; ++length) {
    for (std::size_t seed = 0; seed < 3; ++seed) {
      const std::string none = Filler(length, seed);
      EXPECT_EQ(FindByte(none, '\n'), std::string::npos) << length;
      EXPECT_FALSE(HasLineBreakOrNul(none)) << length;
      for (std::size_t at = 0; at < length; ++at) {
        for (char c : {'\n', '\r', '\0'}) {
          std::string s = none;
          s[at] = c;
          if (at + 3 < length) s[at + 3] = c;  // a second one later does not count
          EXPECT_EQ(FindByte(s, c), at) << length << ' ' << at << ' ' << int(c);
          EXPECT_TRUE(HasLineBreakOrNul(s)) << length << ' ' << at << ' ' << int(c);
        }
      }
    }
  }
}

TEST(ByteSearch, LooksOnlyInsideTheView) {
  const std::string s = "abcdefghijklmnop\nq";
  EXPECT_EQ(FindByte(std::string_view(s).substr(0, 16), '\n'), std::string::npos);
  EXPECT_FALSE(HasLineBreakOrNul(std::string_view(s).substr(0, 16)));
  EXPECT_EQ(FindByte(std::string_view(s).substr(3), '\n'), 13u);
  EXPECT_EQ(FindByte(s, '\xFF'), std::string::npos);
  EXPECT_EQ(FindByte("\x7F\xFE\xFF", '\xFF'), 2u);
}

}  // namespace
}  // namespace pinlark
