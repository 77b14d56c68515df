// The application keys and the font keys of the settings file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "app/app_settings.h"
#include "app/font_keys.h"
#include "ini_keys.h"

namespace pinlark {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> KeyOrder(const std::string& file) { return test::KeysInSection(file, "Pinlark"); }

TEST(AppSettings, MissingKeysGiveTheDefaults) {
  AppSettings s;
  ReadAppSettings(IniDocument::Parse(""), &s);
  EXPECT_EQ(s.minColumn, 40);
  EXPECT_EQ(s.cxMergin, 10);
  EXPECT_EQ(s.defaultColor, 0x0080FFFF);
  EXPECT_EQ(s.officeBar, 1);
  EXPECT_EQ(s.accelClose, 1);
  EXPECT_EQ(s.hide, 0);
  EXPECT_EQ(s.move, 0) << "Move is not a start-up key";
  EXPECT_EQ(s.alarmFname, "");
}

TEST(AppSettings, ReadsEveryStartUpKeyButMove) {
  AppSettings s;
  ReadAppSettings(IniDocument::Parse("[pinlark]\nmincolumn=12\nCXMERGIN=4\ncyMergin=5\ncyInterval=6\n"
                                     "DefaultColor=0x1f\nCRMode=1\n3DMode=1\nMove=1\nHide=1\nAutoArrange=1\n"
                                     "OfficeBar=0\nAccelClose=0\nAbbandConf=0\nIMEOpen=0\nAlarmFname= a b.wav \n"),
                  &s);
  EXPECT_EQ(s.minColumn, 12);
  EXPECT_EQ(s.cxMergin, 4);
  EXPECT_EQ(s.cyMergin, 5);
  EXPECT_EQ(s.cyInterval, 6);
  EXPECT_EQ(s.defaultColor, 0x1f);
  EXPECT_EQ(s.crMode + s.threeDMode + s.hide + s.autoArrange, 4);
  EXPECT_EQ(s.officeBar + s.accelClose + s.abbandConf + s.imeOpen, 0);
  EXPECT_EQ(s.move, 0);
  EXPECT_EQ(s.alarmFname, "a b.wav");
}

TEST(AppSettings, MarginsAndIntervalBeyondTheirBoundsAreReadAsTheNearestBound) {
  AppSettings s;
  ReadAppSettings(IniDocument::Parse("[Pinlark]\ncxMergin=-4\ncyMergin=2147483647\ncyInterval=-2147483648\n"), &s);
  EXPECT_EQ(std::make_tuple(s.cxMergin, s.cyMergin, s.cyInterval), std::make_tuple(0, 500, -10));
  ReadAppSettings(IniDocument::Parse("[Pinlark]\ncxMergin=500\ncyMergin=501\ncyInterval=101\n"), &s);
  EXPECT_EQ(std::make_tuple(s.cxMergin, s.cyMergin, s.cyInterval), std::make_tuple(500, 500, 100));
}

TEST(AppSettings, DefaultColorParsesLikePercentXAndIsWrittenBackTheSameWay) {
  struct Case {
    const char* stored;
    int32_t read;
    const char* written;
  };
  for (const Case& c : {Case{"zz", 0x0080FFFF, "80ffff"}, Case{"ffffffff", -1, "ffffffff"},
                        Case{"fffffffe", -2, "fffffffe"}, Case{"0", 0, "0"}, Case{"00ABCDEF", 0xABCDEF, "abcdef"},
                        Case{"12zz", 0x12, "12"}, Case{"  7f", 0x7f, "7f"}, Case{"", 0x0080FFFF, "80ffff"}}) {
    AppSettings s;
    IniDocument ini = IniDocument::Parse(std::string("[Pinlark]\r\nDefaultColor=") + c.stored + "\r\n");
    ReadAppSettings(ini, &s);
    EXPECT_EQ(s.defaultColor, c.read) << c.stored;
    WriteAppSettings(&ini, s);
    EXPECT_EQ(ini.GetString("Pinlark", "DefaultColor", "?"), c.written) << c.stored;
  }
}

TEST(AppSettings, ClosingWritesFourteenKeysInOrderWithoutOfficeBar) {
  IniDocument ini;
  AppSettings s;
  s.move = 1;
  s.alarmFname = "x.wav";
  WriteAppSettings(&ini, s);
  const std::string file = ini.Serialize();
  EXPECT_THAT(KeyOrder(file), ElementsAre("MinColumn", "cxMergin", "cyMergin", "cyInterval", "DefaultColor", "CRMode",
                                          "3DMode", "Move", "Hide", "AutoArrange", "AccelClose", "AbbandConf",
                                          "IMEOpen", "AlarmFname"));
  EXPECT_EQ(ini.GetString("Pinlark", "Move", ""), "1");
  EXPECT_EQ(ini.GetString("Pinlark", "AlarmFname", ""), "x.wav");
}

TEST(AppSettings, LongAlarmFnameIsCutWithoutSplittingADoubleByteCharacter) {
  AppSettings s;
  const std::string stored = std::string(258, 'a') + "\x95\x5C" + "tail";
  ReadAppSettings(IniDocument::Parse("[Pinlark]\nAlarmFname=" + stored + "\n"), &s);
  EXPECT_EQ(s.alarmFname, std::string(258, 'a'));
}

TEST(ParseHex32, TakesWhatPercentXTakes) {
  EXPECT_EQ(ParseHex32("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseHex32("0x10"), 0x10u);
  EXPECT_EQ(ParseHex32("0x"), 0u) << "the 0 is a digit";
  EXPECT_EQ(ParseHex32("123456789"), 0x23456789u) << "wraps modulo 2^32";
  EXPECT_FALSE(ParseHex32("g1"));
  EXPECT_FALSE(ParseHex32("-"));
  EXPECT_EQ(FormatHex32(0xFFFFFFFDu), "fffffffd");
}

TEST(FontKeys, SystemInAnyCaseMeansNoFontAndTheOtherKeysAreNotRead) {
  EXPECT_FALSE(ReadFontKeys(IniDocument::Parse("")));
  EXPECT_FALSE(ReadFontKeys(IniDocument::Parse("[Pinlark]\nFontFace=system\nFontHeight=99\n")));
  EXPECT_FALSE(ReadFontKeys(IniDocument::Parse("[Pinlark]\nFontFace=SyStEm\n")));
}

TEST(FontKeys, MissingNumbersTakeTheirDefaultsAndTheFaceIsCutTo31Bytes) {
  const auto font = ReadFontKeys(IniDocument::Parse("[Pinlark]\nFontFace=" + std::string(40, 'F') + "\nFontItalic=257\n"));
  ASSERT_TRUE(font);
  EXPECT_EQ(font->face, std::string(31, 'F'));
  EXPECT_EQ(font->height, 14);
  EXPECT_EQ(font->width, 14);
  EXPECT_EQ(font->weight, 400);
  EXPECT_EQ(font->italic, 1) << "the low byte";
}

TEST(FontKeys, AreWrittenInTheirOrderAndReadBack) {
  IniDocument ini;
  FontKeys font{"ＭＳ ゴシック", -16, 0, 700, 255};
  WriteFontKeys(&ini, font);
  EXPECT_THAT(KeyOrder(ini.Serialize()), ElementsAre("FontFace", "FontHeight", "FontWidth", "FontWeight", "FontItalic"));
  EXPECT_EQ(ini.GetString("Pinlark", "FontItalic", ""), "255");
  const auto back = ReadFontKeys(ini);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->face, font.face);
  EXPECT_EQ(back->height, -16);
  EXPECT_EQ(back->weight, 700);
  EXPECT_EQ(back->italic, 255);
}

}  // namespace
}  // namespace pinlark
