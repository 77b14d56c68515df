// The properties dialog of the running program: opened by its command, worked with the
// keyboard and the mouse; its settings reach the settings file when the program closes.
#include <gtest/gtest.h>

#include "driver.h"

namespace pinlark::e2e {
namespace {

constexpr int kApplyButton = 3;
constexpr int kMinColumnField = 1007;
constexpr int k3DModeBox = 1020;

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
  EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(dialog, kMinColumnField)) == "25"; }, kWaitMs, "25 typed"));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kApplyButton)));
  ClickOn(GetDlgItem(dialog, k3DModeBox));
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(GetDlgItem(dialog, k3DModeBox), BM_GETCHECK, 0, 0) == BST_CHECKED; },
                        kWaitMs, "the 3D box checked"));
  ClickOn(GetDlgItem(dialog, IDOK));
  ASSERT_TRUE(WaitForWindowGone(dialog));

  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "MinColumn", ""), "40") << "not written before the close";
  EXPECT_EQ(pinlark.Close(), 0u);
  const IniDocument ini = pinlark.Ini();
  EXPECT_EQ(ini.GetString("Pinlark", "MinColumn", ""), "25");
  EXPECT_EQ(ini.GetString("Pinlark", "3DMode", ""), "1");
}

}  // namespace
}  // namespace pinlark::e2e
