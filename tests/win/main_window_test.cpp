// The main window's settings record: what creation loads, what closing writes, and when
// closing is refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include "app/settings_record.h"
#include "app/texts.h"
#include "res/resource_ids.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

using test::MainWindowFixture;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(MainWindowCreation, WithoutSettingsFileEverySettingHasItsDefault) {
  MainWindowFixture main;
  ASSERT_TRUE(main.Alive());
  const HWND w = main.window();
  EXPECT_EQ(GetSetting(w, kSetAcceptCommands), 1);
  EXPECT_EQ(GetSetting(w, kSetMinColumn), 40);
  EXPECT_EQ(GetSetting(w, kSetCxMergin), 10);
  EXPECT_EQ(GetSetting(w, kSetCyMergin), 10);
  EXPECT_EQ(GetSetting(w, kSetCyInterval), 10);
  EXPECT_EQ(GetSetting(w, kSetDefaultColor), 0x0080FFFF);
  for (int index : {kSetCRMode, kSet3DMode, kSetHide, kSetAutoArrange, kSetMove}) {
    EXPECT_EQ(GetSetting(w, index), 0) << "index " << index;
  }
  for (int index : {kSetOfficeBar, kSetAccelClose, kSetAbbandConf, kSetIMEOpen}) {
    EXPECT_EQ(GetSetting(w, index), 1) << "index " << index;
  }
  EXPECT_STREQ(reinterpret_cast<const char*>(GetSetting(w, kSetAlarmFname)), "");
  EXPECT_EQ(GetSetting(w, kSetMemoFont), 0) << "no font keys: the system font";
  EXPECT_EQ(GetSetting(w, kSetAlarmTimer), TIMER_ALARM);

  HMENU menu = reinterpret_cast<HMENU>(GetSetting(w, kSetMenu));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuDefaultItem(GetSubMenu(menu, SUBMENU_APP), FALSE, 0), static_cast<UINT>(IDM_NEW_MEMO));
  EXPECT_EQ(GetMenuDefaultItem(GetSubMenu(menu, SUBMENU_MEMO), FALSE, 0), static_cast<UINT>(IDM_EDIT_MEMO));
  EXPECT_FALSE(GetMenuState(menu, IDM_HIDE, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(IsWindowVisible(w));
}

TEST(MainWindowCreation, ReadsTheApplicationKeys) {
  MainWindowFixture main(
      "[Pinlark]\r\nMinColumn=25\r\ncxMergin=3\r\ncyMergin=7\r\ncyInterval=0\r\nDefaultColor=ff\r\n"
      "CRMode=1\r\n3DMode=1\r\nHide=1\r\nAutoArrange=1\r\nOfficeBar=0\r\nAccelClose=0\r\n"
      "AbbandConf=0\r\nIMEOpen=0\r\nAlarmFname=C:\\sounds\\ring.wav\r\nMove=0\r\n");
  const HWND w = main.window();
  EXPECT_EQ(GetSetting(w, kSetMinColumn), 25);
  EXPECT_EQ(GetSetting(w, kSetCxMergin), 3);
  EXPECT_EQ(GetSetting(w, kSetCyMergin), 7);
  EXPECT_EQ(GetSetting(w, kSetCyInterval), 0);
  EXPECT_EQ(GetSetting(w, kSetDefaultColor), 0xff);
  for (int index : {kSetCRMode, kSet3DMode, kSetHide, kSetAutoArrange}) EXPECT_EQ(GetSetting(w, index), 1);
  for (int index : {kSetOfficeBar, kSetAccelClose, kSetAbbandConf, kSetIMEOpen}) EXPECT_EQ(GetSetting(w, index), 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(GetSetting(w, kSetAlarmFname)), "C:\\sounds\\ring.wav");
  EXPECT_EQ(GetSetting(w, kSetMove), 0) << "Move is read by memo loading, not at creation";
  HMENU menu = reinterpret_cast<HMENU>(GetSetting(w, kSetMenu));
  EXPECT_TRUE(GetMenuState(menu, IDM_HIDE, MF_BYCOMMAND) & MF_CHECKED) << "Hide=1 checks 隠す";
}

TEST(MainWindowCreation, DefaultColorThatIsNotHexKeepsTheDefaultAndAllOnesIsTransparent) {
  MainWindowFixture bad("[Pinlark]\r\nDefaultColor=zz\r\n");
  EXPECT_EQ(GetSetting(bad.window(), kSetDefaultColor), 0x0080FFFF);
  bad.Send(WM_CLOSE);
  EXPECT_EQ(IniDocument::Parse(bad.ReadIni()).GetString("Pinlark", "DefaultColor", ""), "80ffff");

  MainWindowFixture transparent("[Pinlark]\r\nDefaultColor=ffffffff\r\n");
  EXPECT_EQ(static_cast<int32_t>(GetSetting(transparent.window(), kSetDefaultColor)), -1);
  transparent.Send(WM_CLOSE);
  EXPECT_EQ(IniDocument::Parse(transparent.ReadIni()).GetString("Pinlark", "DefaultColor", ""), "ffffffff");
}

TEST(SettingsAccessor, EveryIndexReachesItsOwnField) {
  MainWindowFixture main;
  const HWND w = main.window();
  // Write a distinct value through every index, then read them all back.
  for (int index = 0; index <= 23; ++index) SetSetting(w, index, 1000 + index);
  for (int index = 0; index <= 23; ++index) EXPECT_EQ(GetSetting(w, index), 1000 + index) << "index " << index;
  // The record's fields in the order of the accessor's indices.
  const SettingsRecord* r = GetSettingsRecord(w);
  const AppSettings& a = r->app;
  auto handle = [](const void* h) { return reinterpret_cast<intptr_t>(h); };
  const std::vector<intptr_t> fields = {
      handle(r->menu), handle(r->memoFont), handle(r->printerFont), static_cast<intptr_t>(r->alarmTimer),
      r->acceptCommands, a.minColumn, a.defaultColor, a.crMode, a.threeDMode, a.move, a.hide, a.autoArrange,
      a.accelClose, a.abbandConf, a.imeOpen, a.officeBar, handle(r->editTarget), handle(r->blinkingMemo),
      handle(r->editDialog), handle(r->propertiesDialog), handle(r->trashDialog), a.cxMergin, a.cyMergin,
      a.cyInterval};
  for (int index = 0; index <= 23; ++index) EXPECT_EQ(fields[index], 1000 + index) << "field of index " << index;
  // Put back what destruction frees, so it does not free made-up handles.
  SetSetting(w, kSetMenu, 0);
  SetSetting(w, kSetMemoFont, 0);
  SetSetting(w, kSetEditDialog, 0);
}

TEST(SettingsAccessor, AlarmFnameIsCopiedAndCutAtItsBufferWithoutSplittingACharacter) {
  MainWindowFixture main;
  const HWND w = main.window();
  std::string name = "C:\\wav\\ring.wav";
  SetSetting(w, kSetAlarmFname, reinterpret_cast<intptr_t>(name.c_str()));
  name[0] = 'D';
  EXPECT_STREQ(reinterpret_cast<const char*>(GetSetting(w, kSetAlarmFname)), "C:\\wav\\ring.wav");

  std::string longName(258, 'a');
  longName += "\x95\x5C";  // a double-byte character across the 259-byte limit
  SetSetting(w, kSetAlarmFname, reinterpret_cast<intptr_t>(longName.c_str()));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(GetSetting(w, kSetAlarmFname))), std::string(258, 'a'));
}

TEST(ClosingSequence, WritesTheFourteenKeysInOrderAndKeepsEveryOtherLine) {
  MainWindowFixture main(
      "; kept comment\r\n[Other]\r\nx=1\r\n[Pinlark]\r\nUnknownKey=keep me\r\nMinColumn=33\r\n");
  SetSetting(main.window(), kSetMove, 1);
  EXPECT_EQ(main.Send(WM_CLOSE), 0);
  EXPECT_FALSE(main.Alive());
  const std::string file = main.ReadIni();
  EXPECT_THAT(file, HasSubstr("; kept comment\r\n[Other]\r\nx=1\r\n"));
  EXPECT_THAT(test::KeysInSection(file, "Pinlark"),
              ElementsAre("UnknownKey", "MinColumn", "cxMergin", "cyMergin", "cyInterval", "DefaultColor",
                          "CRMode", "3DMode", "Move", "Hide", "AutoArrange", "AccelClose", "AbbandConf",
                          "IMEOpen", "AlarmFname"));
  const IniDocument ini = IniDocument::Parse(file);
  EXPECT_EQ(ini.GetString("Pinlark", "MinColumn", ""), "33");
  EXPECT_EQ(ini.GetString("Pinlark", "Move", ""), "1");
  EXPECT_EQ(ini.GetString("Pinlark", "UnknownKey", ""), "keep me");
  EXPECT_FALSE(ini.Find("Pinlark", "OfficeBar"));
}

TEST(ClosingSequence, OfficeBarIsNeverWrittenButKeepsItsValue) {
  MainWindowFixture main("[Pinlark]\r\nOfficeBar=0\r\n");
  SetSetting(main.window(), kSetOfficeBar, 1);
  main.Send(WM_CLOSE);
  EXPECT_EQ(IniDocument::Parse(main.ReadIni()).GetString("Pinlark", "OfficeBar", ""), "0");
}

TEST(ClosingSequence, IsRefusedWhileTheEditDialogIsOpen) {
  MainWindowFixture main("[Pinlark]\r\nMinColumn=50\r\n");
  HWND standIn = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, main.window(), nullptr, nullptr, nullptr);
  SetSetting(main.window(), kSetEditDialog, reinterpret_cast<intptr_t>(standIn));
  SetSetting(main.window(), kSetMinColumn, 60);

  test::ModalWatcher watcher([](const test::SeenWindow& seen) { test::PressButton(seen, IDOK); });
  EXPECT_EQ(main.Send(WM_QUERYENDSESSION), 0);
  ASSERT_TRUE(watcher.Wait());
  EXPECT_EQ(watcher.seen().title, text::kAppName);
  EXPECT_EQ(watcher.seen().staticText, text::kEditDialogOpen);
  EXPECT_TRUE(main.Alive());
  EXPECT_EQ(GetFocus(), standIn);
  EXPECT_EQ(main.ReadIni(), "[Pinlark]\r\nMinColumn=50\r\n") << "nothing is written";

  SetSetting(main.window(), kSetEditDialog, 0);
  DestroyWindow(standIn);
  EXPECT_EQ(main.Send(WM_QUERYENDSESSION), 1);
  EXPECT_FALSE(main.Alive());
  EXPECT_EQ(IniDocument::Parse(main.ReadIni()).GetInt("Pinlark", "MinColumn", 0), 60);
}

// A failed save keeps the program running; "終了" while its report is open starts no second
// close, which would free the record under the first.
TEST(ClosingSequence, AFailedSaveKeepsItRunningAndNoCloseStartsInsideItsReport) {
  const char* const original = "[Pinlark]\r\nMinColumn=50\r\n";
  MainWindowFixture main(original);
  const HWND w = main.window();
  const std::string ini = main.iniPath();
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
  test::ModalWatcher watcher([&](const test::SeenWindow& seen) {
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);  // a second close could save now
    PostMessageA(w, WM_COMMAND, IDM_EXIT, 0);
    test::PressButton(seen, IDOK);
  });
  EXPECT_EQ(main.Send(WM_CLOSE), 0);
  ASSERT_TRUE(watcher.Wait());
  EXPECT_EQ(watcher.seen().staticText, std::string(text::kSaveFailed) + "\n" + test::SystemText(ERROR_ACCESS_DENIED));
  ASSERT_TRUE(main.Alive());
  EXPECT_EQ(main.ReadIni(), original) << "no close ran inside the report";
  NOTIFYICONDATAA tray = {};
  tray.cbSize = NOTIFYICONDATAA_V1_SIZE;
  tray.hWnd = w;
  tray.uID = TRAY_ICON_ID;
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &tray)) << "the tray icon is still there";

  EXPECT_EQ(main.Send(WM_CLOSE), 0);
  EXPECT_FALSE(main.Alive()) << "the next close saved and ended";
  EXPECT_EQ(IniDocument::Parse(main.ReadIni()).GetString("Pinlark", "cxMergin", ""), "10");
}

TEST(ClosingSequence, AfterAFailedSaveTheNextCloseMayEndWithoutSaving) {
  const char* const original = "[Pinlark]\r\nMinColumn=50\r\n";
  MainWindowFixture main(original);
  SetFileAttributesA(main.iniPath().c_str(), FILE_ATTRIBUTE_READONLY);
  {
    test::ModalWatcher report([](const test::SeenWindow& seen) { test::PressButton(seen, IDOK); });
    main.Send(WM_CLOSE);
    ASSERT_TRUE(report.Wait());
  }
  for (const int answer : {IDNO, IDYES}) {
    test::ModalWatcher question([&](const test::SeenWindow& seen) { test::PressButton(seen, answer); });
    main.Send(WM_CLOSE);
    ASSERT_TRUE(question.Wait());
    EXPECT_EQ(question.seen().staticText, std::string(text::kSaveFailed) + "\n" +
                                              test::SystemText(ERROR_ACCESS_DENIED) + text::kEndWithoutSaving);
    EXPECT_EQ(main.Alive(), answer == IDNO) << "answer " << answer;
  }
  SetFileAttributesA(main.iniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(main.ReadIni(), original);
}

TEST(AcceptCommandsFlag, WhileZeroCloseCommandsKeysAndTrayClicksAreIgnored) {
  MainWindowFixture main;
  const HWND w = main.window();
  SetSetting(w, kSetAcceptCommands, 0);
  main.Send(WM_CLOSE);
  EXPECT_TRUE(main.Alive());
  EXPECT_EQ(main.Send(WM_QUERYENDSESSION), 0) << "shutdown is refused";
  main.Send(WM_COMMAND, IDM_HIDE);
  main.Send(WM_COMMAND, IDM_EXIT);
  main.Send(WM_TRAY_CALLBACK, 0, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(main.Alive());
  EXPECT_EQ(GetSetting(w, kSetHide), 0);
  EXPECT_EQ(main.ReadIni(), "") << "no file was written";

  SetSetting(w, kSetAcceptCommands, 1);
  main.Send(WM_COMMAND, IDM_HIDE);
  EXPECT_EQ(GetSetting(w, kSetHide), 1);
  main.Send(WM_COMMAND, IDM_EXIT);
  EXPECT_FALSE(main.Alive());
}

TEST(ExitCommand, AltF4FollowsAccelCloseWhileTheMenuAlwaysExits) {
  MainWindowFixture main("[Pinlark]\r\nAccelClose=0\r\n");
  main.Send(WM_COMMAND, MAKEWPARAM(IDM_EXIT, 1));  // as the accelerator sends it
  EXPECT_TRUE(main.Alive());
  main.Send(WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0));  // "終了" from a menu
  EXPECT_FALSE(main.Alive());

  MainWindowFixture accelClose;
  accelClose.Send(WM_COMMAND, MAKEWPARAM(IDM_EXIT, 1));
  EXPECT_FALSE(accelClose.Alive());
}

}  // namespace
}  // namespace pinlark
