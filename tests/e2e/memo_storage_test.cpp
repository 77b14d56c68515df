// Memos on the desktop across starts: the sample memo of a first start, stored memos coming
// back where they were, and the settings file they are saved to.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "driver.h"

namespace pinlark::e2e {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

void Save(const PinlarkProcess& pinlark) { RunCommand(pinlark.MainWindow(), kSaveCommand); }

TEST(FirstStart, ShowsOneArrangedSampleMemoThatTheNextSaveWritesAndARestartBrings) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start());
  const std::vector<HWND> memos = Memos(pinlark, true);
  ASSERT_EQ(memos.size(), 1u);
  EXPECT_THAT(TextOf(memos[0]), HasSubstr("これはサンプルメモです\r\n"));
  const RECT rect = RectOf(memos[0]);
  EXPECT_EQ(rect.right, 1024 - 10) << "right edge of the work area less cxMergin";
  EXPECT_EQ(rect.top, 10);
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(rect.right - 5, rect.bottom - 3) == RGB(0xFF, 0xFF, 0x80); }, kWaitMs,
                        "the sample memo painted in DefaultColor"));
  EXPECT_FALSE(pinlark.IniExists()) << "the sample memo waits for the next save";

  Save(pinlark);
  ASSERT_TRUE(pinlark.IniExists());
  EXPECT_THAT(pinlark.Ini().GetString("Pinlark", "Memo0", ""), HasSubstr("\\r\\n"));
  EXPECT_EQ(pinlark.Close(), 0u);

  ASSERT_TRUE(pinlark.Start());
  const std::vector<HWND> again = Memos(pinlark, true);
  ASSERT_EQ(again.size(), 1u);
  const RECT same = RectOf(again[0]);
  EXPECT_EQ(same.left, rect.left);
  EXPECT_EQ(same.top, rect.top);
  EXPECT_EQ(same.right, rect.right);
  EXPECT_EQ(same.bottom, rect.bottom);
  EXPECT_EQ(pinlark.Close(), 0u);
}

TEST(StoredMemos, AMissingSlotEndsTheListAndTheNextSaveDropsWhatLayBehindIt) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\n"
                                            "MemoPos0=500 100 120 30\r\nMemo0=zero\r\n"
                                            "MemoPos1=500 200 120 30\r\nMemo1=one\r\n"
                                            "MemoPos3=500 300 120 30\r\nMemoColor3=ff\r\nMemo3=three\r\n")));
  EXPECT_EQ(Memos(pinlark, true).size(), 2u);
  Save(pinlark);
  const std::string file = pinlark.ReadIni();
  EXPECT_THAT(file, HasSubstr("Memo1=one\r\n"));
  EXPECT_THAT(file, Not(HasSubstr("Memo3")));
  EXPECT_THAT(file, Not(HasSubstr("MemoPos3")));
  EXPECT_EQ(pinlark.Close(), 0u);
}

TEST(StoredMemos, WithHideSetTheyAreMadeButNotShown) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nHide=1\r\nMemo0=a\r\nMemo1=b\r\nTrash0=c\r\n")));
  EXPECT_EQ(Memos(pinlark, false).size(), 3u);
  EXPECT_TRUE(Memos(pinlark, true).empty());
  EXPECT_EQ(pinlark.Close(), 0u);
}

TEST(StoredMemos, TheExampleMemoReadsAndWritesBackAsWritten) {
  const std::string block =
      "MemoPos0=884 10 130 36\r\n"
      "MemoColor0=80ffff\r\n"
      "MemoTopMost0=0\r\n"
      "MemoNoArrange0=0\r\n"
      "MemoNoMinClm0=0\r\n"
      "MemoAlarm0=0\r\n"
      "MemoAlarmTime0=0\r\n"
      "Memo0=first line\\r\\nsecond\\tline\r\n";
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", "[Pinlark]\r\n" + block));
  const std::vector<HWND> memos = Memos(pinlark, true);
  ASSERT_EQ(memos.size(), 1u);
  EXPECT_EQ(TextOf(memos[0]), "first line\r\nsecond\tline");
  const RECT rect = RectOf(memos[0]);
  EXPECT_EQ(rect.left, 884);
  EXPECT_EQ(rect.bottom - rect.top, 36);
  EXPECT_EQ(pinlark.Close(), 0u);
  EXPECT_THAT(pinlark.ReadIni(), HasSubstr("[Pinlark]\r\n" + block));
}

// The settings file edited by hand while the program runs: the next save keeps the edited file
// beside it, names it, and saves the program's memos over it.
TEST(StoredMemos, AFileChangedOnDiskBetweenTwoSavesIsKeptBesideItAndNamed) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nMemoPos0=500 100 120 30\r\nMemo0=mine\r\n")));
  Save(pinlark);
  const std::string edited = "[Pinlark]\r\nMemoPos0=500 100 120 30\r\nMemo0=edited by hand\r\n[Other]\r\nx=1\r\n";
  ASSERT_TRUE(pinlark.WriteIni(edited));
  PostMessageA(pinlark.MainWindow(), WM_COMMAND, kSaveCommand, 0);
  HWND told = WaitForDialog(pinlark.Pid(), "Pinlark");
  ASSERT_NE(told, nullptr);
  const std::string text = DialogText(told);
  const std::string intro = "設定ファイルがほかのプログラムによって変更されていました。\n"
                            "変更されたファイルを次の名前で残してから、保存しました。\n";
  ASSERT_EQ(text.rfind(intro, 0), 0u) << text;
  const std::string copy = text.substr(intro.size());
  EXPECT_EQ(copy.rfind(pinlark.IniPath() + ".changed-", 0), 0u) << copy;
  EXPECT_EQ(ReadFileBytes(copy), edited);
  PressButton(told, IDOK);
  ASSERT_TRUE(WaitForWindowGone(told));
  EXPECT_THAT(pinlark.ReadIni(), HasSubstr("Memo0=mine\r\n"));
  EXPECT_THAT(pinlark.ReadIni(), HasSubstr("[Other]\r\nx=1\r\n"));
  EXPECT_EQ(pinlark.Close(), 0u) << "the close's save finds the file it wrote: nothing to tell";
}

// Saved as "Unicode" by an editor: the memos come up, and a save keeps the file in UTF-16 with
// the lines the program leaves alone as they were (a character code page 932 lacks included).
TEST(StoredMemos, AUtf16FileShowsItsMemosAndStaysUtf16) {
  const std::wstring comment = L"\xFEFF; \xD83D\xDE00 \x8868\r\n";
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", Utf16Bytes(comment + L"[Pinlark]\r\nMemoPos0=500 100 120 30\r\nMemo0=\x8868\\r\\nx\r\n")));
  const std::vector<HWND> memos = Memos(pinlark, true);
  ASSERT_EQ(memos.size(), 1u);
  EXPECT_EQ(TextOf(memos[0]), "表\r\nx");
  EXPECT_EQ(pinlark.Close(), 0u);
  const std::string file = pinlark.ReadIni();
  ASSERT_EQ(file.rfind(Utf16Bytes(comment + L"[Pinlark]\r\nMemoPos0=500 100 120 30\r\n"), 0), 0u);
  EXPECT_EQ(file.size() % 2, 0u);
  EXPECT_NE(file.find(Utf16Bytes(L"\r\nMemo0=\x8868\\r\\nx\r\n")), std::string::npos);
  EXPECT_NE(file.find(Utf16Bytes(L"\r\nMemoColor0=")), std::string::npos) << "saved at close, in UTF-16";
  EXPECT_EQ(file.find("Memo"), std::string::npos) << "no code page text";
}

}  // namespace
}  // namespace pinlark::e2e
