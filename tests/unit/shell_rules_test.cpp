// Small rules of the application shell: the settings path, dialog placement, the error
// report's text, help pages and cutting ANSI text.
#include <gtest/gtest.h>

#include "app/ansi_text.h"
#include "app/dialog_geometry.h"
#include "app/error_text.h"
#include "app/help_topics.h"
#include "app/settings_path.h"

namespace pinlark {
namespace {

TEST(SettingsPath, ReplacesTheLastThreeCharactersWhateverTheyAre) {
  EXPECT_EQ(SettingsPathForProgram("C:\\Tools\\memo.exe"), "C:\\Tools\\memo.ini");
  EXPECT_EQ(SettingsPathForProgram("D:\\a b\\x.exe"), "D:\\a b\\x.ini");
  EXPECT_EQ(SettingsPathForProgram("C:\\Tools\\memo.EXE"), "C:\\Tools\\memo.ini");
  EXPECT_EQ(SettingsPathForProgram("C:\\Tools\\pinlark"), "C:\\Tools\\pinlini");
}

TEST(SettingsPath, ANameOfThreeBytesIsEnoughAndAShorterOneGivesNone) {
  EXPECT_EQ(SettingsPathForProgram(""), "");
  EXPECT_EQ(SettingsPathForProgram("exe"), "ini");
  EXPECT_EQ(SettingsPathForProgram("C:\\dir\\exe"), "C:\\dir\\ini");
  EXPECT_EQ(SettingsPathForProgram("C:\\dir\\a.b"), "C:\\dir\\ini");
  EXPECT_EQ(SettingsPathForProgram("C:\\dir\\ab"), "") << "the name is too short to replace";
  EXPECT_EQ(SettingsPathForProgram("C:ab"), "");
  EXPECT_EQ(SettingsPathForProgram("x.exe"), "x.ini");
}

TEST(SettingsPath, FolderKeepsItsBackslash) {
  EXPECT_EQ(FolderOfPath("C:\\Tools\\memo.exe"), "C:\\Tools\\");
  EXPECT_EQ(FolderOfPath("memo.exe"), "");
}

// 0x5C is a backslash alone and the second byte of many double-byte characters: ソ is 83 5C,
// 表 is 95 5C.
TEST(SettingsPath, DoubleByteCharactersEndingIn5CAreNoBackslash) {
  const std::string folder = "C:\\\x95\x5C\\";  // the folder 表 on C:
  const std::string program = folder + "\x83\x5C\x83t\x83g.exe";  // ソフト.exe in it
  EXPECT_EQ(SettingsPathForProgram(program), folder + "\x83\x5C\x83t\x83g.ini");
  EXPECT_EQ(FolderOfPath(program), folder);
  EXPECT_EQ(FolderOfPath("C:\\\x83\x5C"), "C:\\") << "a program named ソ";
  EXPECT_EQ(SettingsPathForProgram("C:\\\x83\x5C"), "") << "two bytes are no name to replace";
  EXPECT_EQ(SettingsPathForProgram("C:\\a\x83\x5C\x83t"), "C:\\aini")
      << "the character the last three bytes begin in goes whole";
  EXPECT_EQ(SettingsPathForProgram("C:\\\x95\x5C\x83\x5C"), "C:\\ini") << "表ソ: nothing is left of the name";
}

TEST(CentreOnScreen, HalvesTruncateTowardsZero) {
  const ScreenPoint p = CentreOnScreen(300, 200, 1024, 768);
  EXPECT_EQ(p.x, 362);
  EXPECT_EQ(p.y, 284);
  const ScreenPoint odd = CentreOnScreen(301, 201, 1025, 769);
  EXPECT_EQ(odd.x, 512 - 150);
  EXPECT_EQ(odd.y, 384 - 100);
  const ScreenPoint big = CentreOnScreen(2000, 1000, 1024, 768);
  EXPECT_EQ(big.x, -488) << "a dialog larger than the screen starts left of it";
  EXPECT_EQ(big.y, -116);
}

TEST(ErrorReportText, JoinsWithALineBreakAndFitsTheBuffer) {
  EXPECT_EQ(ErrorReportText("failed", "system says\r\n"), "failed\nsystem says\r\n");
  EXPECT_EQ(ErrorReportText(nullptr, "system says"), "system says");
  EXPECT_EQ(ErrorReportText("failed", ""), "failed\n");
  // 509 bytes, then a double-byte character that would end at byte 511 fits; one more would not.
  const std::string caller(508, 'c');
  EXPECT_EQ(ErrorReportText(caller.c_str(), "\x82\xA0\x82\xA0"), caller + "\n\x82\xA0");
  EXPECT_EQ(ErrorReportText(std::string(600, 'c').c_str(), "x").size(), kErrorTextMax);
}

TEST(CutAtCharBoundary, NeverSplitsADoubleByteCharacter) {
  EXPECT_EQ(CutAtCharBoundary("ab\x95\x5C", 3), "ab");
  EXPECT_EQ(CutAtCharBoundary("ab\x95\x5C", 4), "ab\x95\x5C");
  EXPECT_EQ(CutAtCharBoundary("a\x5C\x5C", 2), "a\x5C") << "a backslash alone is one byte";
  EXPECT_EQ(CutAtCharBoundary("ab\x95", 3), "ab\x95") << "a lead byte at the very end stands alone";
  EXPECT_EQ(CutAtCharBoundary("\xA0\xDF", 1), "\xA0") << "half-width katakana are single bytes";
}

TEST(HelpPages, EachContextHasItsPage) {
  EXPECT_STREQ(HelpPageForContext(0), "index.html");
  EXPECT_STREQ(HelpPageForContext(13), "properties.html");
  EXPECT_STREQ(HelpPageForContext(14), "trash.html");
  EXPECT_STREQ(HelpPageForContext(37), "edit.html");
  EXPECT_STREQ(HelpPageForContext(99), "index.html");
}

}  // namespace
}  // namespace pinlark
