// Writing a memo as a user does: the tray icon's double click, typing, OK.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "driver.h"

namespace pinlark::e2e {
namespace {

using ::testing::HasSubstr;

constexpr int kEditTextField = 1002;

HWND OpenEditorFromTray(const PinlarkProcess& pinlark) {
  PostMessageA(pinlark.MainWindow(), kTrayCallback, 0, WM_LBUTTONDBLCLK);
  return WaitForDialog(pinlark.Pid(), kEditTitle);
}

TEST(EditDialog, ATrayDoubleClickOpensTheEditorAndOkMakesTheMemoAndSavesIt) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nMove=0\r\n")));
  HWND editor = OpenEditorFromTray(pinlark);
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(BringToForeground(editor));
  TypeText("hello memo");
  ASSERT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(editor, kEditTextField)) == "hello memo"; }, kWaitMs,
                        "the text typed"));
  ClickOn(GetDlgItem(editor, IDOK));
  ASSERT_TRUE(WaitForWindowGone(editor));

  const std::vector<HWND> memos = Memos(pinlark);
  ASSERT_EQ(memos.size(), 1u);
  EXPECT_EQ(TextOf(memos[0]), "hello memo");
  EXPECT_EQ(RectOf(memos[0]).right, 1024 - 10) << "メモの整列 was checked";
  EXPECT_GT(RectOf(memos[0]).right - RectOf(memos[0]).left, 50) << "sized to its text";
  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "Memo0", ""), "hello memo") << "in the file at once";
  EXPECT_EQ(pinlark.Close(), 0u);
}

TEST(EditDialog, ASecondRequestAndClosingAreRefusedWhileItIsOpen) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\n")));
  HWND editor = OpenEditorFromTray(pinlark);
  ASSERT_NE(editor, nullptr);

  for (const auto& [command, refusal] : {std::pair{kNewMemoCommand, "メモは一つしか編集できません"},
                                         std::pair{kExitCommand, "編集ダイアログが開いています。終了できません"}}) {
    PostCommand(pinlark.MainWindow(), command);
    HWND box = WaitForDialog(pinlark.Pid(), "Pinlark");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(DialogText(box), refusal);
    PressButton(box, IDOK);
    ASSERT_TRUE(WaitForWindowGone(box));
  }
  EXPECT_TRUE(pinlark.Running());

  PressButton(editor, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(editor));
  EXPECT_EQ(pinlark.Close(), 0u);
}

}  // namespace
}  // namespace pinlark::e2e
