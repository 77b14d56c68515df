// A user's day with the real program, from the first start to the start of the next day: every
// step through the tray, the menus, the dialogs, the mouse and the keyboard, then the settings
// file and the desktop as the steps should leave them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"

namespace pinlark::e2e {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr char kErrandText[] = "buy milk and eggs";

// Controls of the edit dialog and the properties dialog.
constexpr int kEditText = 1002, kEditColor = 1001, kEditAlarm = 1021, kAlarmYear = 1022, kAlarmMonth = 1025,
              kAlarmDay = 1027, kAlarmHour = 1030, kAlarmMinute = 1032;
constexpr int kMinColumn = 1007, kThreeD = 1020;

// Replaces the text of an edit control the way a user does: click, select all, type.
void TypeInto(HWND dialog, int id, const std::string& text) {
  HWND edit = GetDlgItem(dialog, id);
  ClickOn(edit);
  Settle(150);  // the click puts the caret where it lands: before selecting, not after
  SendMessageA(edit, EM_SETSEL, 0, -1);
  TypeText(text);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(edit) == text; }, kWaitMs, "'" + text + "' typed into control " +
                                                                          std::to_string(id)))
      << "it holds '" << TextOf(edit) << "'";
}

HWND MemoWithText(const PinlarkProcess& pinlark, const std::string& prefix) {
  for (HWND memo : FindWindows(pinlark.Pid(), kMemoClass)) {
    if (TextOf(memo).rfind(prefix, 0) == 0) return memo;
  }
  return nullptr;
}

// The desktop as a 24-bit bitmap file beside the test program, for a person to look at.
void SaveScreenshot(const std::string& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFOHEADER info = {sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
  BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof info) + imageBytes, 0, 0,
                           static_cast<DWORD>(sizeof file + sizeof info)};
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  bytes.append(static_cast<const char*>(bits), imageBytes);
  WriteFileBytes(path, bytes);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST(UsersDay, FromTheFirstStartToTheNextDay) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start());
  HWND sample = MemoWithText(pinlark, "これはサンプルメモです");
  ASSERT_NE(sample, nullptr) << "the first start shows the sample memo";

  // A new memo from the tray with an alarm and a colour of its own.
  PostMessageA(pinlark.MainWindow(), kTrayCallback, 0, WM_LBUTTONDBLCLK);
  HWND editor = WaitForDialog(pinlark.Pid(), kEditTitle);
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(BringToForeground(editor));
  TypeText("buy milk");
  ClickOn(GetDlgItem(editor, kEditAlarm));
  TypeInto(editor, kAlarmYear, "2030");
  TypeInto(editor, kAlarmMonth, "12");
  TypeInto(editor, kAlarmDay, "24");
  TypeInto(editor, kAlarmHour, "9");
  TypeInto(editor, kAlarmMinute, "30");
  HWND colours = GetDlgItem(editor, kEditColor);
  ClickOn(colours);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(colours, CB_GETDROPPEDSTATE, 0, 0) != 0; }, kWaitMs,
                        "the colour list dropped down"));
  for (int i = 0; i < 3; ++i) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(colours, CB_GETDROPPEDSTATE, 0, 0) == 0; }, kWaitMs,
                        "the colour list closed"));
  ASSERT_EQ(SendMessageA(colours, CB_GETCURSEL, 0, 0), 3);
  ClickOn(GetDlgItem(editor, IDOK));
  ASSERT_TRUE(WaitForWindowGone(editor));
  HWND errand = MemoWithText(pinlark, "buy milk");
  ASSERT_NE(errand, nullptr);
  EXPECT_EQ(RectOf(errand).right, RectOf(sample).right) << "arranged under the sample memo";
  EXPECT_GT(RectOf(errand).top, RectOf(sample).bottom);

  // Edited with a double click.
  const POINT errandAt = CenterOf(errand);
  DoubleClick(errandAt.x, errandAt.y);
  editor = WaitForDialog(pinlark.Pid(), kEditTitle);
  ASSERT_NE(editor, nullptr);
  TypeInto(editor, kEditText, kErrandText);
  ClickOn(GetDlgItem(editor, IDOK));
  ASSERT_TRUE(WaitForWindowGone(editor));
  EXPECT_EQ(TextOf(errand), kErrandText);

  // Arranged, then the sample memo dragged away.
  RunCommand(pinlark.MainWindow(), kArrangeCommand);
  const POINT sampleAt = CenterOf(sample);
  Drag(sampleAt, {sampleAt.x - 300, sampleAt.y + 300});
  ASSERT_TRUE(WaitUntil([&] { return RectOf(sample).top > 300; }, kWaitMs, "the sample memo dragged down"));

  // Hidden and shown again.
  PostCommand(pinlark.MainWindow(), kHideCommand);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(sample) && !IsWindowVisible(errand); }, kWaitMs,
                        "the memos hidden"));
  PostCommand(pinlark.MainWindow(), kHideCommand);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(sample) && IsWindowVisible(errand); }, kWaitMs,
                        "the memos shown"));

  // Deleted into the trash and restored from it.
  PostCommand(errand, kDeleteMemoCommand);
  // Hidden first, then saved: the file is waited for as well.
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(errand) && pinlark.Ini().GetString("Pinlark", "Trash0", "") == kErrandText; },
                        kWaitMs, "the errand in the trash and in the file"));
  PostCommand(pinlark.MainWindow(), kTrashCommand);
  HWND trash = WaitForDialog(pinlark.Pid(), kTrashTitle);
  ASSERT_NE(trash, nullptr);
  ASSERT_TRUE(BringToForeground(trash));
  ClickOn(GetDlgItem(trash, IDOK));  // 戻す, on the entry selected at opening
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(errand) != FALSE; }, kWaitMs, "the errand restored"));
  ClickOn(GetDlgItem(trash, IDCANCEL));
  ASSERT_TRUE(WaitForWindowGone(trash));

  // Wider memos and the raised edge from the properties.
  const LONG narrowWidth = RectOf(errand).right - RectOf(errand).left;
  PostCommand(pinlark.MainWindow(), kPropertiesCommand);
  HWND properties = WaitForDialog(pinlark.Pid(), kPropertiesTitle);
  ASSERT_NE(properties, nullptr);
  ASSERT_TRUE(BringToForeground(properties));
  TypeInto(properties, kMinColumn, "60");
  ClickOn(GetDlgItem(properties, kThreeD));
  ClickOn(GetDlgItem(properties, IDOK));
  ASSERT_TRUE(WaitForWindowGone(properties));
  EXPECT_GT(RectOf(errand).right - RectOf(errand).left, narrowWidth) << "laid out again at 60 columns";

  // The errand copied and pasted under the sample text.
  ClearClipboard();
  RunCommand(errand, kCopyCommand);  // done when it returns: no polling that would hold the clipboard
  ASSERT_EQ(ClipboardText(), std::string(kErrandText));
  PostCommand(sample, kPasteCommand);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(sample).size() > 100 && TextOf(sample).find(kErrandText) != std::string::npos; },
                        kWaitMs, "the pasted text"));
  EXPECT_THAT(TextOf(sample), EndsWith(std::string("\r\n") + kErrandText));
  // The paste arranges: the errand, now the higher one, heads the column.
  ASSERT_TRUE(WaitUntil([&] { return RectOf(errand).top == 10 && RectOf(sample).right == 1014; }, kWaitMs,
                        "the memos arranged after the paste"));

  EXPECT_EQ(pinlark.Close(), 0u);

  // The settings file holds the day.
  const IniDocument ini = pinlark.Ini();
  EXPECT_THAT(ini.GetString("Pinlark", "Memo0", ""), StartsWith("これはサンプルメモです\\r\\n"));
  EXPECT_THAT(ini.GetString("Pinlark", "Memo0", ""), EndsWith(std::string("\\r\\n") + kErrandText));
  EXPECT_EQ(ini.GetString("Pinlark", "Memo1", ""), kErrandText);
  EXPECT_EQ(ini.GetString("Pinlark", "MemoColor1", ""), "c080ff");
  EXPECT_EQ(ini.GetInt("Pinlark", "MemoAlarm1", 0), 1);
  EXPECT_EQ(ini.GetString("Pinlark", "MemoAlarmTime1", ""), "3312240930") << "2030/12/24 09:30, years from 1997";
  EXPECT_FALSE(ini.Find("Pinlark", "Memo2"));
  EXPECT_FALSE(ini.Find("Pinlark", "Trash0")) << "restored, so no longer in the trash";
  EXPECT_EQ(ini.GetInt("Pinlark", "MinColumn", 0), 60);
  EXPECT_EQ(ini.GetInt("Pinlark", "3DMode", 0), 1);
  EXPECT_EQ(ini.GetInt("Pinlark", "Move", -1), 0);
  EXPECT_EQ(ini.GetInt("Pinlark", "Hide", -1), 0);

  // The next day: both memos where they were left, in their colours.
  ASSERT_TRUE(pinlark.Start());
  HWND errandAgain = MemoWithText(pinlark, kErrandText);
  HWND sampleAgain = MemoWithText(pinlark, "これはサンプルメモです");
  ASSERT_NE(errandAgain, nullptr);
  ASSERT_NE(sampleAgain, nullptr);
  EXPECT_TRUE(IsWindowVisible(errandAgain) && IsWindowVisible(sampleAgain));
  const RECT e = RectOf(errandAgain), s = RectOf(sampleAgain);
  EXPECT_EQ(ini.GetString("Pinlark", "MemoPos1", ""),
            std::to_string(e.left) + " " + std::to_string(e.top) + " " + std::to_string(e.right - e.left) + " " +
                std::to_string(e.bottom - e.top));
  EXPECT_EQ(e.top, 10);
  EXPECT_EQ(e.right, 1014);
  EXPECT_EQ(s.right, 1014);
  EXPECT_GT(s.top, e.bottom);
  // Inside the raised edge, below the text: the memo colours; the desktop around them is bare.
  EXPECT_TRUE(WaitUntil([&] {
    return ScreenPixel(e.right - 6, e.bottom - 4) == RGB(0xFF, 0x80, 0xC0) &&
           ScreenPixel(s.right - 6, s.bottom - 4) == RGB(0xFF, 0xFF, 0x80);
  }, kWaitMs, "both memos painted in their colours"));
  SaveScreenshot(TestProgramFolder() + "users-day.bmp");
  const COLORREF desktop = ScreenPixel(e.left - 20, e.top + 5);
  EXPECT_NE(desktop, RGB(0xFF, 0x80, 0xC0));
  EXPECT_NE(desktop, RGB(0xFF, 0xFF, 0x80));
  EXPECT_EQ(ScreenPixel(s.left - 20, s.bottom - 4), desktop);
  EXPECT_EQ(pinlark.Close(), 0u);
}

}  // namespace
}  // namespace pinlark::e2e
