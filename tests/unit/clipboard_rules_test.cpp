// The window-free rules of the clipboard commands and of opening a memo's first line.
#include <gtest/gtest.h>

#include <string>

#include "edit/clipboard_rules.h"

namespace pinlark {
namespace {

const std::string kA = "\x82\xA0";   // あ, two bytes in code page 932
const std::string kSo = "\x83\x5C";  // ソ: its trail byte is a backslash

TEST(PasteJoin, PutsThePastedTextOnALineOfItsOwn) {
  EXPECT_EQ(AppendPastedText("", "abc", 100)->text, "\r\nabc") << "an empty memo gets a leading empty line";
  EXPECT_EQ(AppendPastedText("x\r\n", "abc", 100)->text, "x\r\nabc");
  EXPECT_EQ(AppendPastedText("x\n", "abc", 100)->text, "x\nabc") << "a bare line feed ends a line too";
  EXPECT_EQ(AppendPastedText("x", "abc", 100)->text, "x\r\nabc");
  EXPECT_EQ(AppendPastedText("x\r", "abc", 100)->text, "x\r\r\nabc") << "only a line feed counts";
  EXPECT_EQ(AppendPastedText("x", "", 100)->text, "x\r\n") << "an empty clipboard text adds the line break";
  EXPECT_FALSE(AppendPastedText("x", "abc", 100)->cut);
}

TEST(PasteJoin, ATextThatFitsExactlyIsNotCut) {
  const std::string memo(95, 'm');
  const auto joined = AppendPastedText(memo, "abc", 100);
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->text, memo + "\r\nabc");
  EXPECT_FALSE(joined->cut);
}

TEST(PasteJoin, TooLongIsCutBetweenCharactersNeverInsideOne) {
  // 95 + CR LF leaves 3 bytes: x and all of あ fit.
  const std::string memo(95, 'm');
  auto joined = AppendPastedText(memo, "x" + kA + "y", 100);
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->text, memo + "\r\nx" + kA);
  EXPECT_TRUE(joined->cut);
  // 96 + CR LF leaves 2 bytes: あ straddles the limit and is left out whole.
  joined = AppendPastedText(std::string(96, 'm'), "x" + kA, 100);
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->text, std::string(96, 'm') + "\r\nx");
  EXPECT_EQ(joined->text.size(), 99u);
  EXPECT_TRUE(joined->cut);
  // A trail byte that looks like a backslash or a lead byte does not start a character.
  joined = AppendPastedText("", kSo + kSo + kA, 7);
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->text, "\r\n" + kSo + kSo);
}

TEST(PasteJoin, AtTheRealLimitADoubleByteCharacterAcrossItIsLeftOut) {
  // 65530 + CR LF + x ends at byte 65533; あ would take bytes 65534 and 65535.
  auto joined = AppendPastedText(std::string(65530, 'm'), "x" + kA + kA, 65534);
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->text.size(), 65533u);
  EXPECT_EQ(joined->text.substr(65530), "\r\nx");
  EXPECT_TRUE(joined->cut);
  // One byte less of memo: あ ends exactly at the limit and is kept whole.
  joined = AppendPastedText(std::string(65529, 'm'), "x" + kA + kA, 65534);
  ASSERT_TRUE(joined);
  EXPECT_EQ(joined->text.size(), 65534u);
  EXPECT_EQ(joined->text.substr(65529), "\r\nx" + kA);
}

TEST(PasteJoin, NothingWhenNotEvenTheLineBreakOrOneCharacterFits) {
  EXPECT_FALSE(AppendPastedText(std::string(99, 'm'), "abc", 100)) << "the line break does not fit";
  EXPECT_FALSE(AppendPastedText(std::string(98, 'm'), "abc", 100)) << "no room for a character";
  EXPECT_FALSE(AppendPastedText(std::string(97, 'm'), kA, 100)) << "one byte of room, a two-byte character";
  EXPECT_TRUE(AppendPastedText(std::string(98, 'm'), "", 100)) << "nothing to cut from an empty text";
  EXPECT_EQ(AppendPastedText(std::string(98, 'm') + "\n", "ab", 100)->text, std::string(98, 'm') + "\na");
}

TEST(FitText, DropsALeadByteWhoseTrailByteIsMissing) {
  // The clipboard read stops after 65535 bytes, which may fall inside a character.
  EXPECT_EQ(FitText("ab\x82", 100), "ab");
  EXPECT_EQ(FitText(kA + "\x82", 100), kA);
  EXPECT_EQ(FitText(kSo + "\x83", 100), kSo) << "the 0x5C trail is part of ソ";
  EXPECT_EQ(FitText("abc", 2), "ab");
  EXPECT_EQ(FitText("a" + kA, 2), "a");
  EXPECT_EQ(FitText("\xB1\xB2", 1), "\xB1") << "half-width katakana take one byte";
  EXPECT_EQ(FitText("", 0), "");
}

TEST(ShellTarget, IsTheFirstLineWholeOrNothingWhenEmptyOrLongerThan259Bytes) {
  EXPECT_EQ(ShellTarget("C:\\dir\\a.txt\r\nsecond line\r\nthird"), "C:\\dir\\a.txt");
  EXPECT_EQ(ShellTarget("http://example.invalid/"), "http://example.invalid/");
  EXPECT_EQ(ShellTarget(std::string(259, 'f') + "\r\nnext"), std::string(259, 'f'));
  EXPECT_EQ(ShellTarget(std::string(257, 'f') + kA), std::string(257, 'f') + kA);
  EXPECT_EQ(ShellTarget("C:\\" + kSo + "\\x.txt\r\n"), "C:\\" + kSo + "\\x.txt");
  for (const std::string& refused : {std::string(), std::string("\r\nC:\\second"), std::string(260, 'f'),
                                     std::string(258, 'f') + kA + "\r\n"}) {
    EXPECT_EQ(ShellTarget(refused), std::nullopt) << refused.size() << " bytes";
  }
}

TEST(ShellReport, FailuresWithASystemCodeOfTheSameSenseUseIt) {
  struct Case {
    std::intptr_t result;
    uint32_t lastError;
  };
  const Case cases[] = {{0, 14},     {2, 2},      {3, 3},      {11, 11},    {27, 1155}, {31, 1155},
                        {28, 1156}, {29, 1156}, {30, 1156}, {32, 1157}};
  for (const Case& c : cases) {
    const ShellOpenReport report = ReportForShellResult(c.result);
    EXPECT_EQ(report.kind, ShellOpenReport::kSystemError) << "result " << c.result;
    EXPECT_EQ(report.lastError, c.lastError) << "result " << c.result;
  }
}

TEST(ShellReport, OtherFailuresShowTheirNumberAndSuccessNothing) {
  for (std::intptr_t result : {1, 4, 5, 8, 10, 12, 20, 26, -1}) {
    EXPECT_EQ(ReportForShellResult(result).kind, ShellOpenReport::kNumbered) << "result " << result;
  }
  for (std::intptr_t result : {33, 42, 0x7FFFFFFF}) {
    EXPECT_EQ(ReportForShellResult(result).kind, ShellOpenReport::kNone) << "result " << result;
  }
}

}  // namespace
}  // namespace pinlark
