// The trash as a user meets it: opened by its menu command, a memo brought back with the mouse,
// and what the settings file holds after the program has closed.
#include <gtest/gtest.h>

#include "driver.h"

namespace pinlark::e2e {
namespace {

constexpr int kTrashList = 1015;

TEST(TrashDialog, AMemoRestoredFromTheTrashIsShownAndKeptAsAMemo) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nMemoPos0=600 100 120 30\r\nMemo0=stays\r\n"
                                            "TrashPos0=300 200 140 40\r\nTrashColor0=ff\r\nTrash0=came back\r\n"
                                            "TrashPos1=300 300 140 40\r\nTrash1=still trash\r\n")));
  HWND memo = FindWindowOf(pinlark.Pid(), kMemoClass, "came back");
  ASSERT_NE(memo, nullptr);
  EXPECT_FALSE(IsWindowVisible(memo));

  PostCommand(pinlark.MainWindow(), kTrashCommand);  // as "ごみ箱..." in the tray icon's menu
  HWND dialog = WaitForDialog(pinlark.Pid(), kTrashTitle);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, kTrashList);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0) << "the newest trash memo is selected";
  ASSERT_TRUE(BringToForeground(dialog));
  ClickOn(GetDlgItem(dialog, IDOK));  // 戻す
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(memo) != FALSE; }, kWaitMs, "the restored memo on screen"));
  const RECT rect = RectOf(memo);
  EXPECT_EQ(rect.left, 300);
  EXPECT_EQ(rect.top, 200);
  EXPECT_EQ(rect.right - rect.left, 140);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK))) << "no selection after a restore";

  ClickOn(GetDlgItem(dialog, IDCANCEL));  // 閉じる
  ASSERT_TRUE(WaitForWindowGone(dialog));
  EXPECT_EQ(pinlark.Close(), 0u);

  const IniDocument ini = pinlark.Ini();
  EXPECT_EQ(ini.GetString("Pinlark", "Memo0", ""), "stays");
  EXPECT_EQ(ini.GetString("Pinlark", "Memo1", ""), "came back");
  EXPECT_EQ(ini.GetString("Pinlark", "MemoPos1", ""), "300 200 140 40");
  EXPECT_EQ(ini.GetString("Pinlark", "MemoColor1", ""), "ff");
  EXPECT_EQ(ini.GetString("Pinlark", "Trash0", ""), "still trash");
  EXPECT_FALSE(ini.Find("Pinlark", "Trash1"));
}

}  // namespace
}  // namespace pinlark::e2e
