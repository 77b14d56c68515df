// The trash as a user meets it: opened from the tray icon's menu, a memo brought back with the
// mouse, and what the settings file holds after the program has closed.
#include <gtest/gtest.h>

#include "driver.h"

namespace pinlark::e2e {
namespace {

constexpr UINT kTrayCallback = WM_USER + 1;
constexpr char kMemoClass[] = "VeskPostItMemoClass";
constexpr char kTrashTitle[] = "Pinlark - ごみ箱";
constexpr int kTrashList = 1015;

// Chooses "ごみ箱..." in the tray icon's menu with the keyboard: the fifth selectable item.
HWND OpenTrashFromTray(const PinlarkProcess& pinlark) {
  MoveMouse(900, 700);
  PostMessageA(pinlark.MainWindow(), kTrayCallback, 0, WM_RBUTTONDOWN);
  HWND menu = WaitForPopupMenu(pinlark.Pid());
  if (menu == nullptr) return nullptr;
  for (int i = 0; i < 5; ++i) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  return WaitForDialog(pinlark.Pid(), kTrashTitle);
}

void ClickButton(HWND dialog, int id) {
  const POINT at = CenterOf(GetDlgItem(dialog, id));
  Click(at.x, at.y);
}

TEST(TrashDialog, AMemoRestoredFromTheTrayMenusTrashIsShownAndKeptAsAMemo) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nMemoPos0=600 100 120 30\r\nMemo0=stays\r\n"
                                            "TrashPos0=300 200 140 40\r\nTrashColor0=ff\r\nTrash0=came back\r\n"
                                            "TrashPos1=300 300 140 40\r\nTrash1=still trash\r\n")));
  HWND memo = FindWindowOf(pinlark.Pid(), kMemoClass, "came back");
  ASSERT_NE(memo, nullptr);
  EXPECT_FALSE(IsWindowVisible(memo));

  HWND dialog = OpenTrashFromTray(pinlark);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, kTrashList);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0) << "the newest trash memo is selected";
  ASSERT_TRUE(BringToForeground(dialog));
  ClickButton(dialog, IDOK);  // 戻す
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(memo) != FALSE; }, kWaitMs, "the restored memo on screen"));
  const RECT rect = RectOf(memo);
  EXPECT_EQ(rect.left, 300);
  EXPECT_EQ(rect.top, 200);
  EXPECT_EQ(rect.right - rect.left, 140);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK))) << "no selection after a restore";

  ClickButton(dialog, IDCANCEL);  // 閉じる
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
