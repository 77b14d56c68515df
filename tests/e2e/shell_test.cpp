// The application shell as a user meets it: one instance, the tray icon's menu, the version
// dialog, Alt+F4 and the settings file the program leaves when it closes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "driver.h"

namespace pinlark::e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

// Whether the editor is open once the program has handled everything posted to it so far: a
// version dialog asked for now comes up only after that (and before a modal dialog just made
// shows itself: hidden ones count).
bool EditorOpenOnceHandled(const PinlarkProcess& pinlark) {
  PostCommand(pinlark.MainWindow(), kVersionCommand);
  HWND version = WaitForDialog(pinlark.Pid(), kVersionTitle);
  const bool open = FindWindowOf(pinlark.Pid(), "#32770", kEditTitle) != nullptr;
  if (version != nullptr) {
    PressButton(version, IDOK);
    WaitForWindowGone(version);
  }
  return open;
}

TEST(SingleInstance, ASecondStartHandsOverAndLeavesOneHiddenMainWindow) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start());
  for (const char* args : {"", "-N", "/n", "-n"}) {
    EXPECT_EQ(pinlark.RunSecondInstance(args), 0u) << "second start with \"" << args << "\"";
    const std::vector<HWND> mains = FindWindows(0, kMainClass);
    ASSERT_EQ(mains.size(), 1u) << "second start with \"" << args << "\" made a window";
    EXPECT_EQ(mains[0], pinlark.MainWindow());
    EXPECT_EQ(TextOf(mains[0]), "Pinlark");
    EXPECT_FALSE(IsWindowVisible(mains[0]));
    EXPECT_TRUE(pinlark.Running());
    EXPECT_EQ(EditorOpenOnceHandled(pinlark), std::string(args) == "-n") << "second start with \"" << args << "\"";
  }
  // Exactly "-n" opened the editor for a new memo in the running instance.
  HWND editor = WaitForDialog(pinlark.Pid(), kEditTitle);
  ASSERT_NE(editor, nullptr);
  PressButton(editor, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(editor));
  EXPECT_EQ(pinlark.Close(), 0u);
}

TEST(SingleInstance, AFirstStartWithMinusNStartsAsUsual) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("-n"));
  EXPECT_FALSE(IsWindowVisible(pinlark.MainWindow()));
  EXPECT_FALSE(EditorOpenOnceHandled(pinlark)) << "no editor for a new memo";
  EXPECT_EQ(pinlark.Close(), 0u);
}

TEST(Closing, WritesTheApplicationKeysInOrderAndKeepsEveryLineItDoesNotOwn) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("; my notes\r\n[Pinlark]\r\nMyOwnKey=1\r\nDefaultColor=zz\r\n"
                                            "MinColumn=22\r\n\r\n[Elsewhere]\r\nkey=value\r\n")));
  EXPECT_EQ(pinlark.Close(), 0u);
  const std::string file = pinlark.ReadIni();
  EXPECT_THAT(KeysInSection(file, "Pinlark"),
              ElementsAre("MyOwnKey", "DefaultColor", "MinColumn", "cxMergin", "cyMergin", "cyInterval", "CRMode",
                          "3DMode", "Move", "Hide", "AutoArrange", "AccelClose", "AbbandConf", "IMEOpen",
                          "AlarmFname"));
  EXPECT_THAT(file, HasSubstr("; my notes\r\n"));
  EXPECT_THAT(file, HasSubstr("\r\n[Elsewhere]\r\nkey=value\r\n"));
  const IniDocument ini = pinlark.Ini();
  EXPECT_EQ(ini.GetString("Pinlark", "DefaultColor", ""), "80ffff");
  EXPECT_EQ(ini.GetString("Pinlark", "MinColumn", ""), "22");
  EXPECT_FALSE(ini.Find("Pinlark", "OfficeBar"));
  EXPECT_TRUE(FileExists(pinlark.IniPath() + ".bak")) << "the previous file is kept";
}

TEST(Closing, AFreshStartWritesTheFourteenKeysAfterTheSampleMemoAndTransparentDefaultColorSurvives) {
  PinlarkProcess fresh;
  ASSERT_TRUE(fresh.Start());
  EXPECT_EQ(fresh.Close(), 0u);
  std::vector<std::string> appKeys;
  for (const std::string& key : KeysInSection(fresh.ReadIni(), "Pinlark")) {
    if (key.rfind("Memo", 0) != 0 && key.rfind("Trash", 0) != 0) appKeys.push_back(key);
  }
  EXPECT_THAT(appKeys,
              ElementsAre("MinColumn", "cxMergin", "cyMergin", "cyInterval", "DefaultColor", "CRMode", "3DMode",
                          "Move", "Hide", "AutoArrange", "AccelClose", "AbbandConf", "IMEOpen", "AlarmFname"));

  PinlarkProcess transparent;
  ASSERT_TRUE(transparent.Start("", std::string("[Pinlark]\r\nDefaultColor=ffffffff\r\nOfficeBar=0\r\n")));
  EXPECT_EQ(transparent.Close(), 0u);
  EXPECT_EQ(transparent.Ini().GetString("Pinlark", "DefaultColor", ""), "ffffffff");
  EXPECT_EQ(transparent.Ini().GetString("Pinlark", "OfficeBar", ""), "0");
}

TEST(Closing, AFailedSaveKeepsTheProgramRunningAndALaterCloseSaves) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nMemo0=keep me\r\n")));
  ASSERT_TRUE(SetFileAttributesA(pinlark.IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
  PostCommand(pinlark.MainWindow(), kExitCommand);
  HWND report = WaitForDialog(pinlark.Pid(), "Pinlark");
  ASSERT_NE(report, nullptr);
  EXPECT_THAT(DialogText(report), HasSubstr("保存に失敗しました"));
  PressButton(report, IDOK);
  ASSERT_TRUE(WaitForWindowGone(report));
  EXPECT_TRUE(Answers(pinlark.MainWindow())) << "the close that failed ended the program";
  EXPECT_NE(FindWindowOf(pinlark.Pid(), kMemoClass, "keep me", true), nullptr) << "its memo is still there";

  SetFileAttributesA(pinlark.IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(pinlark.Close(), 0u);
  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "Memo0", ""), "keep me");
  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "MinColumn", ""), "40") << "the later close wrote its keys";
}

// ソ is 83 5C and 表 is 95 5C in code page 932: the second byte of each is a backslash's.
TEST(ProgramPlace, ADoubleByteNameInADoubleByteFolderReadsAndSavesItsSettingsAndFindsItsHelp) {
  PinlarkProcess pinlark;
  pinlark.PlaceProgram("表", "ソフト.exe");
  ASSERT_EQ(pinlark.IniPath(), pinlark.Folder() + "ソフト.ini");
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nMemo0=from its file\r\n")));
  EXPECT_NE(FindWindowOf(pinlark.Pid(), kMemoClass, "from its file", true), nullptr) << "ソフト.ini was read";

  // Help that is found goes to the shell (which may have nothing to show it with: "ヘルプを開け
  // ませんでした", as in the test desktop); the missing-help message is what a wrong folder gives.
  const auto helpMessage = [&] {
    PostCommand(pinlark.MainWindow(), kHelpCommand);
    HWND box = WaitForDialog(pinlark.Pid(), "Pinlark");
    const std::string said = box != nullptr ? DialogText(box) : "";
    if (box != nullptr) PressButton(box, IDOK);
    if (box != nullptr) WaitForWindowGone(box);
    return said;
  };
  EXPECT_THAT(helpMessage(), Not(HasSubstr("ヘルプファイルが見つかりません")));
  ASSERT_TRUE(MoveFileA((pinlark.Folder() + "help").c_str(), (pinlark.Folder() + "moved").c_str()));
  EXPECT_THAT(helpMessage(), HasSubstr("ヘルプファイルが見つかりません"));

  EXPECT_EQ(pinlark.Close(), 0u);
  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "Memo0", ""), "from its file");
  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "MinColumn", ""), "40") << "the close saved to ソフト.ini";
}

// The tray icon's left click makes the main window the foreground window; keys then reach the
// program's message loop, where Alt+F4 is its accelerator.
void FocusProgram(const PinlarkProcess& pinlark) {
  PostMessageA(pinlark.MainWindow(), kTrayCallback, 0, WM_LBUTTONDOWN);
  WaitUntil([&] { return GetForegroundWindow() == pinlark.MainWindow(); }, kWaitMs, "the main window in front");
}

TEST(AltF4, EndsTheProgramOnlyWhenAccelCloseIsSet) {
  PinlarkProcess kept;
  ASSERT_TRUE(kept.Start("", std::string("[Pinlark]\r\nAccelClose=0\r\n")));
  FocusProgram(kept);
  PressKey(VK_F4, {VK_MENU});
  Settle(500);
  EXPECT_TRUE(kept.Running()) << "Alt+F4 with AccelClose=0 ended the program";
  EXPECT_EQ(kept.Close(), 0u) << "終了 still ends it";

  PinlarkProcess closed;
  ASSERT_TRUE(closed.Start());
  FocusProgram(closed);
  PressKey(VK_F4, {VK_MENU});
  EXPECT_EQ(closed.WaitForExit(), 0u);
  EXPECT_TRUE(closed.IniExists()) << "Alt+F4 closes through the closing sequence";
}

TEST(TrayMenu, RightClickShowsTheApplicationMenuAtTheCursorAndHideTogglesHide) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start());
  // Choose "隠す" with the keyboard: the seventh item that can be selected.
  auto chooseHide = [&] {
    MoveMouse(900, 700);
    PostMessageA(pinlark.MainWindow(), kTrayCallback, 0, WM_RBUTTONDOWN);
    HWND menu = WaitForPopupMenu(pinlark.Pid());
    ASSERT_NE(menu, nullptr);
    const RECT rect = RectOf(menu);
    EXPECT_EQ(rect.bottom, 700) << "the menu sits above the cursor";
    EXPECT_LE(rect.left, 900);
    for (int i = 0; i < 7; ++i) PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForWindowGone(menu));
  };
  HWND sample = FindWindowOf(pinlark.Pid(), kMemoClass);
  ASSERT_NE(sample, nullptr);
  for (const bool hidden : {true, false, true}) {
    chooseHide();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(sample) != hidden; }, kWaitMs,
                          hidden ? "the sample memo hidden" : "the sample memo shown"));
  }
  EXPECT_EQ(pinlark.Close(), 0u);
  EXPECT_EQ(pinlark.Ini().GetInt("Pinlark", "Hide", -1), 1) << "three times 隠す: hidden";
}

TEST(VersionDialog, OpensCentredAndClosesOnEnterEscTheCloseBoxAndAClickOnOk) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start());
  for (int way = 0; way < 4; ++way) {
    PostMessageA(pinlark.MainWindow(), WM_COMMAND, kVersionCommand, 0);
    HWND dialog = WaitForDialog(pinlark.Pid(), kVersionTitle);
    ASSERT_NE(dialog, nullptr);
    const RECT rect = RectOf(dialog);
    EXPECT_EQ(rect.left, 512 - (rect.right - rect.left) / 2);
    EXPECT_EQ(rect.top, 384 - (rect.bottom - rect.top) / 2);
    EXPECT_THAT(DialogText(dialog), HasSubstr("Pinlark Ver1.40"));
    ASSERT_TRUE(BringToForeground(dialog));
    switch (way) {
      case 0: PressKey(VK_RETURN); break;
      case 1: PressKey(VK_ESCAPE); break;
      case 2: PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
      default: {
        ClickOn(GetDlgItem(dialog, IDOK));
      }
    }
    EXPECT_TRUE(WaitForWindowGone(dialog)) << "way " << way;
  }
  EXPECT_EQ(pinlark.Close(), 0u);
}

}  // namespace
}  // namespace pinlark::e2e
