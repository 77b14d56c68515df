// The clipboard between pinlark.exe and another program: pasting into memos, a memo made from
// the clipboard, copying a memo (the clipboard is set and read by this test program); and the
// shell's answer to a memo naming a file that is not there.
#include <gtest/gtest.h>

#include <cstdio>

#include "driver.h"

namespace pinlark::e2e {
namespace {

constexpr int kArrangedRight = 1024 - 10;  // the work area's right edge less cxMergin

// Three memos away from the arranged column: empty, ending in a line break, ending in x.
constexpr char kThreeMemos[] =
    "[Pinlark]\r\n"
    "MemoPos0=300 100 120 30\r\nMemo0=\r\n"
    "MemoPos1=300 200 120 30\r\nMemo1=ends\\r\\n\r\n"
    "MemoPos2=300 300 120 30\r\nMemo2=x\r\n";

HWND MemoWithText(const PinlarkProcess& pinlark, const std::string& text) {
  for (HWND memo : Memos(pinlark)) {
    if (TextOf(memo) == text) return memo;
  }
  return nullptr;
}

// Moves a memo out of its column without the program taking it for a drag by the user.
void MoveAside(HWND memo) { SetWindowPos(memo, nullptr, 300, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); }

// The right edge of memo `slot` as the settings file has it ("left top width height").
int SavedRight(const PinlarkProcess& pinlark, int slot) {
  const std::string pos = pinlark.Ini().GetString("Pinlark", "MemoPos" + std::to_string(slot), "");
  int left = 0, top = 0, width = 0, height = 0;
  if (std::sscanf(pos.c_str(), "%d %d %d %d", &left, &top, &width, &height) != 4) return -1;
  return left + width;
}

TEST(Paste, AppendsOnALineOfItsOwnThenArrangesAndSaves) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string(kThreeMemos)));
  HWND empty = MemoWithText(pinlark, "");
  HWND endsInBreak = MemoWithText(pinlark, "ends\r\n");
  HWND endsInX = MemoWithText(pinlark, "x");
  ASSERT_TRUE(empty && endsInBreak && endsInX);
  ASSERT_TRUE(SetClipboardText("abc"));

  PostCommand(empty, kPasteCommand);  // as "貼り付け" in the memo's menu
  ASSERT_TRUE(WaitUntil([&] { return TextOf(empty) == "\r\nabc"; }, kWaitMs, "abc pasted into the empty memo"));
  EXPECT_EQ(RectOf(empty).right, kArrangedRight);
  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "Memo0", ""), "\\r\\nabc");
  EXPECT_EQ(SavedRight(pinlark, 0), kArrangedRight);

  MoveAside(endsInBreak);
  RunCommand(endsInBreak, kPasteCommand);
  EXPECT_EQ(TextOf(endsInBreak), "ends\r\nabc") << "no empty line after a line break";
  EXPECT_EQ(RectOf(endsInBreak).right, kArrangedRight);
  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "Memo1", ""), "ends\\r\\nabc");
  EXPECT_EQ(SavedRight(pinlark, 1), kArrangedRight);

  MoveAside(endsInX);
  RunCommand(endsInX, kPasteCommand);
  EXPECT_EQ(TextOf(endsInX), "x\r\nabc");
  EXPECT_EQ(RectOf(endsInX).right, kArrangedRight);
  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "Memo2", ""), "x\\r\\nabc");
  EXPECT_EQ(SavedRight(pinlark, 2), kArrangedRight);

  EXPECT_EQ(ClipboardText(), std::optional<std::string>("abc"));
  EXPECT_EQ(pinlark.Close(), 0u);
}

TEST(Paste, HalfWidthPastesHalfWidthLettersAndLeavesTheClipboardAsItWas) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string(kThreeMemos)));
  HWND endsInX = MemoWithText(pinlark, "x");
  ASSERT_NE(endsInX, nullptr);
  const std::string fullWidth = "ＡＢＣａｂｃ１２３カナ";
  ASSERT_TRUE(SetClipboardText(fullWidth));
  RunCommand(endsInX, kHalfWidthPasteCommand);
  EXPECT_EQ(TextOf(endsInX), "x\r\nABCabc123ｶﾅ");
  EXPECT_EQ(RectOf(endsInX).right, kArrangedRight);
  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "Memo2", ""), "x\\r\\nABCabc123ｶﾅ");
  EXPECT_EQ(ClipboardText(), std::optional<std::string>(fullWidth)) << "the clipboard keeps the full-width text";
  EXPECT_EQ(pinlark.Close(), 0u);
}

TEST(NewFromClipboard, IsShownWhileTheMemosAreHiddenArrangedAndSaved) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nHide=1\r\nDefaultColor=ff8080\r\n"
                                            "MemoPos0=300 100 120 30\r\nMemo0=hidden\r\n")));
  ASSERT_TRUE(Memos(pinlark).empty());
  const std::string text = "一行目\r\n二行目\tソ表";
  ASSERT_TRUE(SetClipboardText(text));
  RunCommand(pinlark.MainWindow(), kNewFromClipboardCommand);

  const std::vector<HWND> shown = Memos(pinlark);
  ASSERT_EQ(shown.size(), 1u) << "the new memo alone is shown";
  EXPECT_EQ(TextOf(shown[0]), text);
  EXPECT_EQ(RectOf(shown[0]).right, kArrangedRight);
  const IniDocument saved = pinlark.Ini();
  EXPECT_EQ(saved.GetString("Pinlark", "Memo1", ""), "一行目\\r\\n二行目\\tソ表");
  EXPECT_EQ(saved.GetString("Pinlark", "MemoColor1", ""), "ff8080") << "DefaultColor";
  for (const char* flag : {"MemoTopMost1", "MemoNoArrange1", "MemoNoMinClm1", "MemoAlarm1", "MemoAlarmTime1"}) {
    EXPECT_EQ(saved.GetString("Pinlark", flag, ""), "0") << flag;
  }
  EXPECT_EQ(SavedRight(pinlark, 1), kArrangedRight);
  EXPECT_EQ(saved.GetString("Pinlark", "Memo0", ""), "hidden");
  EXPECT_EQ(pinlark.Close(), 0u);
}

TEST(Copy, PutsTheMemosWholeTextOnTheClipboardByteForByte) {
  PinlarkProcess pinlark;
  const std::string text = "一行目\r\n二行目\tソ表\r\n\r\n最後";
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nMemoPos0=300 100 120 30\r\n"
                                            "Memo0=一行目\\r\\n二行目\\tソ表\\r\\n\\r\\n最後\r\n")));
  HWND memo = MemoWithText(pinlark, text);
  ASSERT_NE(memo, nullptr);
  ASSERT_TRUE(SetClipboardText("old"));
  // As "コピー" in the memo's menu, waited for: a test reading the clipboard meanwhile would
  // hold it open under the program's copy.
  RunCommand(memo, kCopyCommand);
  EXPECT_EQ(ClipboardText(), std::optional<std::string>(text));

  // A second copy of a long text takes all of it.
  ASSERT_TRUE(SetClipboardText("old"));
  std::string longText;
  for (int i = 0; i < 3000; ++i) longText += "行" + std::to_string(i) + "\r\n";
  SendMessageTimeoutA(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longText.c_str()), SMTO_BLOCK, kWaitMs, nullptr);
  RunCommand(memo, kCopyCommand);
  EXPECT_EQ(ClipboardText(), std::optional<std::string>(longText));
  EXPECT_EQ(pinlark.Close(), 0u);
}

TEST(OpenFromMemo, AFileThatIsNotThereIsReportedWithTheSystemsText) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nMemoPos0=300 100 120 30\r\nMemo0=target\r\n")));
  HWND memo = MemoWithText(pinlark, "target");
  ASSERT_NE(memo, nullptr);
  const std::string text = "C:\\nowhere\\missing.txt\r\nsecond line";
  SendMessageTimeoutA(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, kWaitMs, nullptr);
  PostMessageA(memo, WM_COMMAND, kOpenCommand, 0);
  HWND report = WaitForDialog(pinlark.Pid(), "Pinlark");
  ASSERT_NE(report, nullptr);
  // The shell answers "file not found", told with the system's own text for it.
  EXPECT_EQ(DialogText(report), "ファイルを開けません\n" + SystemText(ERROR_FILE_NOT_FOUND));
  PressButton(report, IDOK);
  ASSERT_TRUE(WaitForWindowGone(report));
  EXPECT_EQ(TextOf(memo), text);
  EXPECT_EQ(pinlark.Close(), 0u);
}

}  // namespace
}  // namespace pinlark::e2e
