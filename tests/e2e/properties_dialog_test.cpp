// The properties dialog of the running program: opened by its command, worked with the
// keyboard and the mouse; its settings reach the settings file when the program closes.
#include <gtest/gtest.h>

#include "driver.h"

namespace pinlark::e2e {
namespace {

constexpr UINT kPropertiesCommand = 40012;
constexpr char kPropertiesTitle[] = "Pinlarkのプロパティ";
constexpr int kApplyButton = 3;
constexpr int kMinColumnField = 1007;
constexpr int k3DModeBox = 1020;

void ClickItem(HWND dialog, int id) {
  const POINT centre = CenterOf(GetDlgItem(dialog, id));
  Click(centre.x, centre.y);
  Settle(200);
}

TEST(PropertiesDialog, OkKeepsTheChangesAndTheFileGetsThemWhenTheProgramCloses) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nMinColumn=40\r\n3DMode=0\r\n")));
  PostMessageA(pinlark.MainWindow(), WM_COMMAND, kPropertiesCommand, 0);
  HWND dialog = WaitForDialog(pinlark.Pid(), kPropertiesTitle);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(BringToForeground(dialog));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kApplyButton))) << "offered by the focus on the first field";

  // The keyboard starts in the minimum width field.
  PressKey(VK_END);
  PressKey(VK_BACK);
  PressKey(VK_BACK);
  TypeText("25");
  Settle(200);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kMinColumnField)), "25");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kApplyButton)));
  ClickItem(dialog, k3DModeBox);
  EXPECT_EQ(SendMessageA(GetDlgItem(dialog, k3DModeBox), BM_GETCHECK, 0, 0), BST_CHECKED);
  ClickItem(dialog, IDOK);
  ASSERT_TRUE(WaitForWindowGone(dialog));

  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "MinColumn", ""), "40") << "not written before the close";
  EXPECT_EQ(pinlark.Close(), 0u);
  const IniDocument ini = pinlark.Ini();
  EXPECT_EQ(ini.GetString("Pinlark", "MinColumn", ""), "25");
  EXPECT_EQ(ini.GetString("Pinlark", "3DMode", ""), "1");
}

}  // namespace
}  // namespace pinlark::e2e
