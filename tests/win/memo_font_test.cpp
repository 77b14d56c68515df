// The memo font: loaded from the settings file at creation, chosen in the font dialog.
#include <gtest/gtest.h>

#include "app/settings_record.h"
#include "app/texts.h"
#include "memo/memo_font.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

LOGFONTA FontOf(HWND mainWindow) {
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(GetSetting(mainWindow, kSetMemoFont)), sizeof font, &font);
  return font;
}

TEST(MemoFont, SystemInAnyCaseMeansTheSystemFontWhateverTheOtherKeysSay) {
  for (const char* face : {"System", "SYSTEM", "sYsTeM"}) {
    const std::string ini = std::string("[Pinlark]\r\nFontFace=") + face + "\r\nFontHeight=-20\r\nFontWeight=700\r\n";
    test::MainWindowFixture main(ini.c_str());
    EXPECT_EQ(GetSetting(main.window(), kSetMemoFont), 0) << face;
  }
}

TEST(MemoFont, IsBuiltFromTheFiveKeysWithTheJapaneseCharacterSet) {
  test::MainWindowFixture main(
      "[Pinlark]\r\nFontFace=Tahoma\r\nFontHeight=-20\r\nFontWidth=7\r\nFontWeight=700\r\nFontItalic=1\r\n");
  ASSERT_NE(GetSetting(main.window(), kSetMemoFont), 0);
  const LOGFONTA font = FontOf(main.window());
  EXPECT_STREQ(font.lfFaceName, "Tahoma");
  EXPECT_EQ(font.lfHeight, -20);
  EXPECT_EQ(font.lfWidth, 7);
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_EQ(font.lfItalic, 1);
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
}

// A stand-in for the properties dialog that asks for the font.
HWND OwnerDialog(HWND mainWindow) {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, mainWindow, nullptr, nullptr, nullptr);
}

TEST(MemoFont, ChoosingWritesTheFiveKeysAtOnceAndNothingElse) {
  test::MainWindowFixture main("[Pinlark]\r\nMinColumn=44\r\n");
  SetSetting(main.window(), kSetMinColumn, 55);
  HWND owner = OwnerDialog(main.window());
  test::ModalWatcher watcher([](const test::SeenWindow& s) { test::PressButton(s, IDOK); });
  EXPECT_TRUE(ChooseMemoFont(owner));
  ASSERT_TRUE(watcher.Wait());
  ASSERT_NE(GetSetting(main.window(), kSetMemoFont), 0);
  const LOGFONTA chosen = FontOf(main.window());

  EXPECT_EQ(test::KeysInSection(main.ReadIni(), "Pinlark"),
            (std::vector<std::string>{"MinColumn", "FontFace", "FontHeight", "FontWidth", "FontWeight", "FontItalic"}));
  const IniDocument ini = IniDocument::Parse(main.ReadIni());
  EXPECT_EQ(ini.GetString("Pinlark", "FontFace", ""), chosen.lfFaceName);
  EXPECT_EQ(ini.GetInt("Pinlark", "FontHeight", 0), chosen.lfHeight);
  EXPECT_EQ(ini.GetInt("Pinlark", "FontWeight", 0), chosen.lfWeight);
  EXPECT_EQ(ini.GetInt("Pinlark", "MinColumn", 0), 44) << "application keys wait for the close";
  DestroyWindow(owner);
}

TEST(MemoFont, CancellingChangesNothing) {
  test::MainWindowFixture main("[Pinlark]\r\nFontFace=Tahoma\r\nFontHeight=-20\r\n");
  const intptr_t before = GetSetting(main.window(), kSetMemoFont);
  HWND owner = OwnerDialog(main.window());
  test::ModalWatcher watcher([](const test::SeenWindow& s) { test::PressButton(s, IDCANCEL); });
  EXPECT_FALSE(ChooseMemoFont(owner));
  ASSERT_TRUE(watcher.Wait());
  EXPECT_EQ(GetSetting(main.window(), kSetMemoFont), before);
  EXPECT_EQ(main.ReadIni(), "[Pinlark]\r\nFontFace=Tahoma\r\nFontHeight=-20\r\n");
  DestroyWindow(owner);
}

}  // namespace
}  // namespace pinlark
