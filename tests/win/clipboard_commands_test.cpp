// The clipboard commands and opening a memo's first line, in-process: the limit of a memo's
// text, a clipboard that another window holds, and the shell's answers with the shell-open
// function replaced.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/help.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "edit/clipboard_commands.h"
#include "memo/memo_record.h"
#include "res/resource_ids.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

using test::ModalWatcher;
using test::SeenWindow;

constexpr char kOneMemo[] = "[Pinlark]\r\nMemoPos0=600 300 120 30\r\nMemo0=first\r\n";
const std::string kA = "\x82\xA0";  // あ

HWND FirstMemo(const test::MainWindowFixture& main) { return GetSettingsRecord(main.window())->memos[0]; }

std::string ClipboardBytes() { return test::ClipboardText().value_or("<no text>"); }

// Another thread's window keeps the clipboard open while this lives, as a busy program would.
class ClipboardHeldElsewhere {
 public:
  ClipboardHeldElsewhere() {
    thread_ = std::thread([this] {
      HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
      const bool opened = OpenClipboard(window) != FALSE;
      std::unique_lock<std::mutex> lock(mutex_);
      opened_ = opened;
      ready_ = true;
      changed_.notify_all();
      changed_.wait(lock, [this] { return release_; });
      if (opened) CloseClipboard();
      DestroyWindow(window);
    });
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return ready_; });
  }
  ~ClipboardHeldElsewhere() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      release_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  bool opened() const { return opened_; }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool ready_ = false;
  bool release_ = false;
  bool opened_ = false;
  std::thread thread_;
};

TEST(ClipboardPaste, APasteThatWouldPassTheMemoLimitIsCutBetweenTwoCharacters) {
  test::MainWindowFixture main(kOneMemo);
  HWND memo = FirstMemo(main);
  test::SetClipboardText("x" + kA + kA);
  // 65530 bytes, CR LF and x end at byte 65533: あ would straddle the limit and is left out.
  SetWindowTextA(memo, std::string(65530, 'm').c_str());
  SendMessageA(memo, WM_COMMAND, IDM_PASTE, 0);
  std::string text = MemoText(memo);
  EXPECT_EQ(text.size(), 65533u);
  EXPECT_EQ(text.substr(65530), "\r\nx");
  EXPECT_NE(main.ReadIni().find("Memo0=" + std::string(65530, 'm') + "\\r\\nx\r\n"), std::string::npos)
      << "the cut text is saved";
  // One byte less: あ ends exactly at byte 65534.
  SetWindowTextA(memo, std::string(65529, 'm').c_str());
  SendMessageA(memo, WM_COMMAND, IDM_PASTE, 0);
  text = MemoText(memo);
  EXPECT_EQ(text.size(), 65534u);
  EXPECT_EQ(text.substr(65529), "\r\nx" + kA);
  // A full memo with no room for even the line break stays as it was.
  SetWindowTextA(memo, std::string(65533, 'm').c_str());
  SendMessageA(memo, WM_COMMAND, IDM_PASTE, 0);
  EXPECT_EQ(MemoText(memo), std::string(65533, 'm'));
  EXPECT_EQ(ClipboardBytes(), "x" + kA + kA) << "the clipboard is not changed by a paste";
}

TEST(ClipboardPaste, AClipboardTextLongerThanAReadTakesIsCutBetweenCharacters) {
  test::MainWindowFixture main(kOneMemo);
  std::string longText;
  for (int i = 0; i < 35000; ++i) longText += kA;  // 70000 bytes: a read stops inside a character
  test::SetClipboardText(longText);
  main.Send(WM_COMMAND, IDM_NEW_FROM_CLIP);
  const SettingsRecord* r = GetSettingsRecord(main.window());
  ASSERT_EQ(r->memoCount, 2);
  EXPECT_EQ(MemoText(r->memos[1]), longText.substr(0, 65534));
  HWND memo = FirstMemo(main);
  SetWindowTextA(memo, "");
  SendMessageA(memo, WM_COMMAND, IDM_PASTE, 0);
  EXPECT_EQ(MemoText(memo), "\r\n" + longText.substr(0, 65532));
}

TEST(ClipboardPaste, AHalfWidthFormThatDoesNotFitGivesNothingToPaste) {
  const std::string fullWidthAB = "\x82\x60\x82\x61";  // ＡＢ
  EXPECT_EQ(TextToPaste(fullWidthAB, IDM_PASTE_HALFWIDTH), std::optional<std::string>("AB"));
  EXPECT_EQ(TextToPaste(fullWidthAB, IDM_PASTE_HALFWIDTH, 2), std::optional<std::string>("AB"));
  EXPECT_EQ(TextToPaste(fullWidthAB, IDM_PASTE_HALFWIDTH, 1), std::nullopt);
  EXPECT_EQ(TextToPaste(fullWidthAB, IDM_PASTE, 1), std::optional<std::string>(fullWidthAB))
      << "a plain paste maps nothing";
  EXPECT_EQ(TextToPaste("", IDM_PASTE_HALFWIDTH), std::optional<std::string>(""));
}

TEST(ClipboardPaste, NoTextOrABusyClipboardLeavesEverythingAsItWas) {
  test::MainWindowFixture main(kOneMemo);
  HWND memo = FirstMemo(main);
  SendMessageA(main.window(), WM_COMMAND, IDM_SAVE, 0);
  const std::string saved = main.ReadIni();

  test::ClearClipboard();
  SendMessageA(memo, WM_COMMAND, IDM_PASTE, 0);
  SendMessageA(memo, WM_COMMAND, IDM_PASTE_HALFWIDTH, 0);
  main.Send(WM_COMMAND, IDM_NEW_FROM_CLIP);
  EXPECT_EQ(MemoText(memo), "first");
  EXPECT_EQ(GetSettingsRecord(main.window())->memoCount, 1);

  test::SetClipboardText("pasted");
  {
    ClipboardHeldElsewhere held;
    ASSERT_TRUE(held.opened());
    SendMessageA(memo, WM_COMMAND, IDM_PASTE, 0);
    main.Send(WM_COMMAND, IDM_NEW_FROM_CLIP);
    EXPECT_EQ(MemoText(memo), "first");
    EXPECT_EQ(GetSettingsRecord(main.window())->memoCount, 1);
  }
  EXPECT_EQ(main.ReadIni(), saved) << "nothing was saved";
}

TEST(ClipboardCopy, ABusyClipboardIsReportedAndKeepsItsText) {
  test::MainWindowFixture main(kOneMemo);
  HWND memo = FirstMemo(main);
  test::SetClipboardText("before");
  {
    ClipboardHeldElsewhere held;
    ASSERT_TRUE(held.opened());
    ModalWatcher watcher([](const SeenWindow& s) { test::PressButton(s, IDOK); });
    SendMessageA(memo, WM_COMMAND, IDM_COPY_MEMO, 0);
    ASSERT_TRUE(watcher.Wait());
    EXPECT_EQ(watcher.seen().title, text::kAppName);
    EXPECT_EQ(watcher.seen().staticText, text::kClipboardOpenFailed);
  }
  EXPECT_EQ(ClipboardBytes(), "before");
  // Free again: the copy goes through, an empty memo as an empty text.
  SendMessageA(memo, WM_COMMAND, IDM_COPY_MEMO, 0);
  EXPECT_EQ(ClipboardBytes(), "first");
  SetWindowTextA(memo, "");
  SendMessageA(memo, WM_COMMAND, IDM_COPY_MEMO, 0);
  EXPECT_EQ(ClipboardBytes(), "");
}

// The shell's "open" replaced by a recorder.
class OpenFromMemoTest : public ::testing::Test {
 protected:
  // Opens from the memo with the shell answering `answer`, presses OK in any box it shows, and
  // returns the box's text ("" for none).
  std::string OpenAnswered(INT_PTR answer) {
    shell_.Answer(answer);
    ModalWatcher watcher([](const SeenWindow& s) { test::PressButton(s, IDOK); });
    SendMessageA(memo_, WM_COMMAND, IDM_OPEN_FROM_MEMO, 0);
    if (!watcher.Stop()) return "";
    EXPECT_EQ(watcher.seen().title, text::kAppName);
    return watcher.seen().staticText;
  }

  test::ShellOpenRecorder shell_;
  const std::vector<test::ShellOpenRecorder::Call>& calls_ = shell_.calls();
  test::MainWindowFixture main_{kOneMemo};
  HWND memo_ = FirstMemo(main_);
};

TEST_F(OpenFromMemoTest, HandsOverTheFirstLineWithTheSystemFolderAndShow) {
  SetWindowTextA(memo_, "C:\\dir\\a.txt\r\nsecond line\r\nthird");
  EXPECT_EQ(OpenAnswered(42), "") << "success shows nothing";
  char systemFolder[MAX_PATH];
  GetSystemDirectoryA(systemFolder, MAX_PATH);
  ASSERT_EQ(calls_.size(), 1u);
  EXPECT_EQ(calls_[0].owner, main_.window());
  EXPECT_EQ(calls_[0].path, "C:\\dir\\a.txt");
  EXPECT_EQ(calls_[0].directory, systemFolder);
  EXPECT_EQ(calls_[0].show, SW_SHOW);

  // An empty first line or one the shell cannot take whole is not handed over: only a beep.
  for (const std::string& refused :
       {std::string(300, 'f'), std::string(258, 'f') + kA + "\r\nnext", std::string("\r\nx")}) {
    SetWindowTextA(memo_, refused.c_str());
    EXPECT_EQ(OpenAnswered(42), "");
    EXPECT_EQ(MemoText(memo_), refused) << "the memo is not changed";
  }
  SetWindowTextA(memo_, (std::string(257, 'f') + kA + "\r\nnext").c_str());
  OpenAnswered(42);
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[1].path, std::string(257, 'f') + kA);
}

TEST_F(OpenFromMemoTest, TheShellsFailuresAreReportedByTheirKind) {
  SetWindowTextA(memo_, "C:\\nowhere\\x.txt");
  const std::string cannotOpen = std::string(text::kCannotOpenFile) + "\n";
  EXPECT_EQ(OpenAnswered(32), cannotOpen + test::SystemText(ERROR_DLL_NOT_FOUND));
  EXPECT_EQ(OpenAnswered(0), cannotOpen + test::SystemText(ERROR_OUTOFMEMORY));
  EXPECT_EQ(OpenAnswered(SE_ERR_FNF), cannotOpen + test::SystemText(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(OpenAnswered(SE_ERR_NOASSOC), cannotOpen + test::SystemText(ERROR_NO_ASSOCIATION));
  EXPECT_EQ(OpenAnswered(SE_ERR_DDEBUSY), cannotOpen + test::SystemText(ERROR_DDE_FAIL));
  EXPECT_EQ(OpenAnswered(5), "ファイルを開けません\nShellExecute エラー番号 5");
  EXPECT_EQ(OpenAnswered(26), "ファイルを開けません\nShellExecute エラー番号 26");
  EXPECT_EQ(calls_.size(), 7u);
  EXPECT_EQ(MemoText(memo_), "C:\\nowhere\\x.txt");
}

}  // namespace
}  // namespace pinlark
