// The trash dialog, worked from inside its own modal loop: a timer of this thread runs each
// test's steps while the dialog is open, and a watcher thread answers its questions.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/help.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "memo/memo_record.h"
#include "res/resource_ids.h"
#include "trash/trash_dialog.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

// ---- Running the dialog

struct OpenDialogRun {
  HWND mainWindow = nullptr;
  std::function<void(HWND)>* steps = nullptr;
  bool ran = false;
};
OpenDialogRun g_run;

void CALLBACK RunSteps(HWND, UINT, UINT_PTR timer, DWORD) {
  const SettingsRecord* r = GetSettingsRecord(g_run.mainWindow);
  HWND dialog = r != nullptr ? r->trashDialog : nullptr;
  if (dialog == nullptr || !IsWindowVisible(dialog)) return;  // not on screen yet: next tick
  KillTimer(nullptr, timer);
  g_run.ran = true;
  (*g_run.steps)(dialog);
  // Whatever the steps did or failed to do, the dialog goes and the test goes on.
  if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Opens the dialog with the main window's command and runs `steps` on this thread once it is
// on screen; returns when the dialog has closed. A command that opened no dialog fails the test.
void WithTrashDialog(HWND mainWindow, std::function<void(HWND dialog)> steps) {
  g_run = {mainWindow, &steps, false};
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, RunSteps);
  SendMessageA(mainWindow, WM_COMMAND, IDM_TRASH, 0);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_run.ran) << "the trash command showed no dialog";
  if (const SettingsRecord* r = GetSettingsRecord(mainWindow)) {
    EXPECT_EQ(r->trashDialog, nullptr);
  }
}

// What a message box opened by the dialog showed.
struct Question {
  bool asked = false;
  std::string title, text;
  bool yesNo = false, okOnly = false;
  HICON icon = nullptr;
};

// Sends command `id` to `target` (the dialog itself unless given) as a button would, and
// answers the message box it opens with `answer`, after running `meanwhile` on the watcher
// thread while the box is up. A box with only OK is answered OK.
Question Press(HWND dialog, int id, int answer = IDNO, std::function<void()> meanwhile = {}, HWND target = nullptr) {
  Question q;
  {
    test::ModalWatcher watcher([&](const test::SeenWindow& s) {
      q.asked = true;
      q.title = s.title;
      q.text = s.staticText;
      q.yesNo = GetDlgItem(s.window, IDYES) != nullptr && GetDlgItem(s.window, IDNO) != nullptr;
      q.okOnly = GetDlgItem(s.window, IDOK) != nullptr && GetDlgItem(s.window, IDCANCEL) == nullptr &&
                 GetDlgItem(s.window, IDNO) == nullptr;
      for (HWND child = GetWindow(s.window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0))) q.icon = icon;
      }
      if (GetDlgItem(s.window, IDC_TRASH_LIST) != nullptr) {
        test::PressButton(s, IDCANCEL);  // a second trash dialog: closed again
        return;
      }
      if (meanwhile) meanwhile();
      test::PressButton(s, q.okOnly ? IDOK : answer);
    }, "#32770", GetCurrentThreadId(), dialog);
    // A box keeps SendMessage waiting until it is answered; without one the watcher just stops.
    SendMessageA(target != nullptr ? target : dialog, WM_COMMAND, id, 0);
  }
  return q;
}

// A key pressed in a control, through the dialog manager as the dialog's loop would.
void Key(HWND dialog, int controlId, WPARAM key) {
  MSG message = {GetDlgItem(dialog, controlId), WM_KEYDOWN, key, 0, 0, {}};
  IsDialogMessageA(dialog, &message);
}

void Select(HWND dialog, int entry) {
  SendDlgItemMessageA(dialog, IDC_TRASH_LIST, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TRASH_LIST, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_TRASH_LIST)));
}

int Selection(HWND dialog) { return static_cast<int>(SendDlgItemMessageA(dialog, IDC_TRASH_LIST, LB_GETCURSEL, 0, 0)); }

std::vector<std::string> Entries(HWND dialog) {
  std::vector<std::string> entries;
  const int count = static_cast<int>(SendDlgItemMessageA(dialog, IDC_TRASH_LIST, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string entry(static_cast<std::size_t>(SendDlgItemMessageA(dialog, IDC_TRASH_LIST, LB_GETTEXTLEN, i, 0)), '\0');
    SendDlgItemMessageA(dialog, IDC_TRASH_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
    entries.push_back(entry);
  }
  return entries;
}

std::vector<std::string> TrashTexts(const SettingsRecord* r) {
  std::vector<std::string> texts;
  for (int i = 0; i < r->trashCount; ++i) texts.push_back(MemoText(r->trash[i]));
  return texts;
}

// The list box and the trash list hold the same memos in the same order, and no slot behind
// the count holds anything.
void ExpectInStep(HWND dialog, const SettingsRecord* r) {
  EXPECT_EQ(Entries(dialog), TrashTexts(r));
  for (int i = 0; i < r->trashCount; ++i) EXPECT_TRUE(IsWindow(r->trash[i])) << "trash slot " << i;
  for (int i = r->trashCount; i < kMaxMemos; ++i) EXPECT_EQ(r->trash[i], nullptr) << "trash slot " << i;
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// ---- Settings files

std::string Memos(int count, int firstTop = 10) {
  std::string keys;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    keys += "MemoPos" + n + "=600 " + std::to_string(firstTop + i * 10) + " 120 30\r\nMemo" + n + "=memo " + n + "\r\n";
  }
  return keys;
}

std::string TrashMemos(const std::vector<std::string>& texts) {
  std::string keys;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string n = std::to_string(i);
    keys += "TrashPos" + n + "=300 " + std::to_string(100 + i * 5) + " 120 40\r\nTrash" + n + "=" + texts[i] + "\r\n";
  }
  return keys;
}

std::vector<std::string> Numbered(const char* stem, int count) {
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) texts.push_back(stem + std::to_string(i));
  return texts;
}

// ---- Opening and closing

TEST(TrashDialog, AnEmptyTrashOpensWithoutSelectionAndEmptyingStillAsks) {
  test::MainWindowFixture main(("[Pinlark]\r\n" + Memos(1)).c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  WithTrashDialog(main.window(), [&](HWND dialog) {
    char title[64];
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "Pinlark - ごみ箱");
    EXPECT_TRUE(Entries(dialog).empty());
    EXPECT_EQ(Selection(dialog), LB_ERR);
    EXPECT_FALSE(Enabled(dialog, IDOK));
    EXPECT_FALSE(Enabled(dialog, IDC_TRASH_DELETE));
    EXPECT_TRUE(Enabled(dialog, IDC_TRASH_EMPTY));
    EXPECT_FALSE(Press(dialog, IDOK).asked) << "nothing to restore";
    EXPECT_FALSE(Press(dialog, IDC_TRASH_DELETE).asked) << "nothing to delete";
    for (int answer : {IDNO, IDYES}) {
      const Question q = Press(dialog, IDC_TRASH_EMPTY, answer);
      EXPECT_TRUE(q.asked);
      EXPECT_EQ(q.text, text::kTrashEmpty);
      EXPECT_EQ(q.title, text::kAppName);
      EXPECT_TRUE(q.yesNo);
      EXPECT_EQ(q.icon, LoadIconA(nullptr, IDI_WARNING));
      EXPECT_TRUE(Entries(dialog).empty());
    }
  });
  EXPECT_EQ(r->memoCount, 1);
  EXPECT_TRUE(IsWindowVisible(r->memos[0]));
}

TEST(TrashDialog, ListsEachTrashMemoWholeInTrashOrderCentredWithTheNewestSelected) {
  test::MainWindowFixture main(
      ("[Pinlark]\r\n" + TrashMemos({"newest\\r\\nsecond line", "ごみ箱のメモ", "oldest"})).c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  // The three ways of closing: the button, Esc, the caption's close box.
  const std::vector<std::function<void(HWND)>> closers = {
      [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); },
      [](HWND dialog) { Key(dialog, IDC_TRASH_LIST, VK_ESCAPE); },
      [](HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  for (std::size_t way = 0; way < closers.size(); ++way) {
    bool closedAtOnce = false;
    WithTrashDialog(main.window(), [&](HWND dialog) {
      EXPECT_EQ(r->trashDialog, dialog);
      EXPECT_EQ(Entries(dialog), (std::vector<std::string>{"newest\r\nsecond line", "ごみ箱のメモ", "oldest"}));
      EXPECT_EQ(Selection(dialog), 0);
      EXPECT_TRUE(Enabled(dialog, IDOK));
      EXPECT_TRUE(Enabled(dialog, IDC_TRASH_DELETE));
      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_TRASH_LIST));
      RECT rect;
      GetWindowRect(dialog, &rect);
      EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXSCREEN) / 2 - (rect.right - rect.left) / 2);
      EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYSCREEN) / 2 - (rect.bottom - rect.top) / 2);
      closers[way](dialog);
      // The close box goes through a posted command; it is handled here as the loop would.
      MSG message;
      while (PeekMessageA(&message, dialog, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(dialog, &message)) DispatchMessageA(&message);
      }
      closedAtOnce = r->trashDialog == nullptr;
    });
    EXPECT_TRUE(closedAtOnce) << "way " << way;
  }
  EXPECT_EQ(r->trashCount, 3) << "closing changes nothing";
}

TEST(TrashDialog, ASecondOpenCommandFocusesTheOpenDialog) {
  test::MainWindowFixture main(("[Pinlark]\r\n" + Memos(1) + TrashMemos({"a"})).c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  WithTrashDialog(main.window(), [&](HWND dialog) {
    HWND memo = r->memos[0];
    SetFocus(memo);
    ASSERT_EQ(GetFocus(), memo);
    // From the memo's own menu, which hands the command to the main window.
    EXPECT_FALSE(Press(dialog, IDM_TRASH, IDNO, {}, memo).asked) << "a second dialog opened";
    EXPECT_EQ(r->trashDialog, dialog);
    HWND focus = GetFocus();
    EXPECT_TRUE(focus == dialog || IsChild(dialog, focus));
  });
}

TEST(TrashDialog, HelpAndF1OpenTheTrashPage) {
  test::ShellOpenRecorder shell;
  test::MainWindowFixture main("[Pinlark]\r\n");
  WithTrashDialog(main.window(), [](HWND dialog) {
    SendMessageA(dialog, WM_COMMAND, IDC_DLG_HELP, 0);
    HELPINFO help = {sizeof help, HELPINFO_WINDOW, IDC_TRASH_LIST, GetDlgItem(dialog, IDC_TRASH_LIST), 0, {}};
    SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
  });
  ASSERT_EQ(shell.paths().size(), 2u);
  for (const std::string& path : shell.paths()) EXPECT_NE(path.find("help\\trash.html"), std::string::npos) << path;
}

TEST(TrashDialog, TheProgramClosedFromAMemosMenuTakesTheOpenDialogAlongAndSavesTheTrash) {
  test::MainWindowFixture main(("[Pinlark]\r\n" + Memos(1) + TrashMemos({"kept"})).c_str());
  HWND memo = GetSettingsRecord(main.window())->memos[0];
  bool dialogGone = false;
  WithTrashDialog(main.window(), [&](HWND dialog) {
    SendMessageA(memo, WM_COMMAND, IDM_EXIT, 0);  // "終了" from the memo's menu
    dialogGone = !IsWindow(dialog);
  });
  EXPECT_TRUE(dialogGone);
  EXPECT_FALSE(main.Alive());
  EXPECT_NE(main.ReadIni().find("Trash0=kept"), std::string::npos);
}

// ---- Restoring

TEST(TrashDialog, RestoringTheOnlyTrashMemoShowsItWhereItWasAsTheLastMemo) {
  test::MainWindowFixture main(
      ("[Pinlark]\r\n" + Memos(2) + "TrashPos0=300 200 120 40\r\nTrashColor0=ff\r\nTrash0=back\r\n").c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  HWND memo = r->trash[0];
  ASSERT_FALSE(IsWindowVisible(memo));
  WithTrashDialog(main.window(), [&](HWND dialog) {
    SetFocus(GetDlgItem(dialog, IDOK));  // as after a click on it
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Entries(dialog).empty());
    EXPECT_EQ(Selection(dialog), LB_ERR);
    EXPECT_FALSE(Enabled(dialog, IDOK));
    EXPECT_FALSE(Enabled(dialog, IDC_TRASH_DELETE));
    EXPECT_TRUE(Enabled(dialog, IDC_TRASH_EMPTY));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_TRASH_LIST)) << "the focus left the disabled button";
  });
  ASSERT_EQ(r->memoCount, 3);
  EXPECT_EQ(r->memos[2], memo);
  EXPECT_EQ(r->trashCount, 0);
  EXPECT_EQ(r->trash[0], nullptr);
  EXPECT_TRUE(IsWindowVisible(memo));
  RECT rect;
  GetWindowRect(memo, &rect);
  EXPECT_EQ(rect.left, 300);
  EXPECT_EQ(rect.top, 200);
  EXPECT_EQ(rect.right, 420);
  EXPECT_EQ(GetMemoField(memo, kMemoColor), 0xff) << "its record came back unchanged";
  EXPECT_NE(main.ReadIni().find("Trash0=back"), std::string::npos) << "restoring does not save";
}

TEST(TrashDialog, EnterAndADoubleClickRestoreTheSelectedEntry) {
  test::MainWindowFixture main(("[Pinlark]\r\n" + TrashMemos({"t0", "t1", "t2", "t3"})).c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  WithTrashDialog(main.window(), [&](HWND dialog) {
    Select(dialog, 1);
    Key(dialog, IDC_TRASH_LIST, VK_RETURN);
    ASSERT_EQ(r->memoCount, 1);
    EXPECT_EQ(MemoText(r->memos[0]), "t1");
    ExpectInStep(dialog, r);

    // A double click as the mouse makes it, on the entry now second: "t2".
    HWND list = GetDlgItem(dialog, IDC_TRASH_LIST);
    RECT item;
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    ASSERT_EQ(r->memoCount, 2);
    EXPECT_EQ(MemoText(r->memos[1]), "t2");
    EXPECT_TRUE(IsWindowVisible(r->memos[1]));
    ExpectInStep(dialog, r);
    EXPECT_EQ(Entries(dialog), (std::vector<std::string>{"t0", "t3"}));
  });
}

TEST(TrashDialog, ASixtyFifthMemoIsRefusedAndStaysInTheTrash) {
  test::MainWindowFixture main(("[Pinlark]\r\n" + Memos(64, 0) + TrashMemos({"waiting"})).c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  ASSERT_EQ(r->memoCount, 64);
  WithTrashDialog(main.window(), [&](HWND dialog) {
    const Question q = Press(dialog, IDOK);
    EXPECT_EQ(q.text, text::kTooManyMemos);
    EXPECT_EQ(q.title, text::kAppName);
    EXPECT_TRUE(q.okOnly);
    EXPECT_EQ(q.icon, LoadIconA(nullptr, IDI_ERROR));
    EXPECT_EQ(Entries(dialog), std::vector<std::string>{"waiting"});
    EXPECT_EQ(Selection(dialog), 0);
  });
  EXPECT_EQ(r->memoCount, 64);
  ASSERT_EQ(r->trashCount, 1);
  EXPECT_TRUE(IsWindow(r->trash[0]));
  EXPECT_FALSE(IsWindowVisible(r->trash[0]));
}

// ---- Deleting and emptying

TEST(TrashDialog, DeletingAnEntryAsksAndKeepsTheListAndTheTrashInStep) {
  test::MainWindowFixture main(("[Pinlark]\r\n" + Memos(1) + TrashMemos(Numbered("t", 5))).c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  WithTrashDialog(main.window(), [&](HWND dialog) {
    for (int entry : {2, 0, 2, 1, 0}) {  // a middle one, the first, the last, ...
      Select(dialog, entry);
      HWND chosen = r->trash[entry];
      const std::vector<std::string> before = Entries(dialog);
      const Question no = Press(dialog, IDC_TRASH_DELETE, IDNO);
      EXPECT_EQ(no.text, text::kTrashDeleteOne);
      EXPECT_EQ(no.title, text::kAppName);
      EXPECT_TRUE(no.yesNo);
      EXPECT_EQ(no.icon, LoadIconA(nullptr, IDI_WARNING));
      EXPECT_EQ(Entries(dialog), before) << "No changes nothing";
      EXPECT_TRUE(IsWindow(chosen));

      EXPECT_TRUE(Press(dialog, IDC_TRASH_DELETE, IDYES).asked);
      EXPECT_FALSE(IsWindow(chosen)) << "entry " << entry << " destroyed";
      std::vector<std::string> expected = before;
      expected.erase(expected.begin() + entry);
      EXPECT_EQ(Entries(dialog), expected);
      ExpectInStep(dialog, r);
      EXPECT_EQ(Selection(dialog), LB_ERR);
      EXPECT_FALSE(Enabled(dialog, IDOK));
      EXPECT_FALSE(Enabled(dialog, IDC_TRASH_DELETE));
    }
  });
  EXPECT_EQ(r->trashCount, 0);
  EXPECT_EQ(r->memoCount, 1) << "the memos are not touched";
}

TEST(TrashDialog, EmptyingWithYesDestroysEveryTrashMemo) {
  test::MainWindowFixture main(("[Pinlark]\r\n" + Memos(2) + TrashMemos(Numbered("t", 3))).c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  const std::vector<HWND> trash(r->trash, r->trash + 3);
  WithTrashDialog(main.window(), [&](HWND dialog) {
    EXPECT_TRUE(Press(dialog, IDC_TRASH_EMPTY, IDNO).asked);
    EXPECT_EQ(Entries(dialog).size(), 3u);
    EXPECT_EQ(r->trashCount, 3);
    EXPECT_TRUE(Press(dialog, IDC_TRASH_EMPTY, IDYES).asked);
    EXPECT_TRUE(Entries(dialog).empty());
    EXPECT_FALSE(Enabled(dialog, IDOK));
    EXPECT_TRUE(Enabled(dialog, IDC_TRASH_EMPTY));
    ExpectInStep(dialog, r);
  });
  EXPECT_EQ(r->trashCount, 0);
  for (HWND memo : trash) EXPECT_FALSE(IsWindow(memo));
  EXPECT_EQ(r->memoCount, 2);
}

// ---- The trash changing while the dialog is open

TEST(TrashDialog, AMemoDeletedIntoTheTrashWhileOpenIsListedAndTheSelectionStaysOnItsMemo) {
  test::MainWindowFixture main(("[Pinlark]\r\n" + Memos(2) + TrashMemos({"t0", "t1"})).c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  HWND second = r->trash[1];
  WithTrashDialog(main.window(), [&](HWND dialog) {
    Select(dialog, 1);
    SendMessageA(r->memos[0], WM_COMMAND, IDM_DELETE_MEMO, 0);  // "メモ削除" from the memo's menu
    EXPECT_EQ(Entries(dialog), (std::vector<std::string>{"memo 0", "t0", "t1"}));
    ExpectInStep(dialog, r);
    EXPECT_EQ(Selection(dialog), 2) << "still on t1";
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(r->memos[r->memoCount - 1], second) << "the memo the user chose came back";

    SendMessageA(r->memos[0], WM_COMMAND, IDM_DELETE_MEMO, 0);
    EXPECT_EQ(Entries(dialog), (std::vector<std::string>{"memo 1", "memo 0", "t0"}));
    EXPECT_EQ(Selection(dialog), LB_ERR) << "no selection stays none";
    EXPECT_FALSE(Enabled(dialog, IDOK));
  });
}

TEST(TrashDialog, TheOldestTrashMemoDroppedFromAFullTrashLeavesTheListAndIsNotReplacedByItsNeighbour) {
  test::MainWindowFixture main(("[Pinlark]\r\n" + Memos(1) + TrashMemos(Numbered("t", 64))).c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  ASSERT_EQ(r->trashCount, 64);
  HWND oldest = r->trash[63];
  HWND next = r->trash[62];
  WithTrashDialog(main.window(), [&](HWND dialog) {
    Select(dialog, 63);
    // The user asks to delete the oldest; while the question is open a memo goes into the full
    // trash and pushes the oldest out. The Yes then has nothing left to delete.
    EXPECT_TRUE(Press(dialog, IDC_TRASH_DELETE, IDYES, [&] {
      SendMessageA(r->memos[0], WM_COMMAND, IDM_DELETE_MEMO, 0);
    }).asked);
    EXPECT_FALSE(IsWindow(oldest));
    EXPECT_TRUE(IsWindow(next)) << "the entry that moved into the old place was deleted";
    ASSERT_EQ(Entries(dialog).size(), 64u);
    EXPECT_EQ(Entries(dialog).front(), "memo 0");
    EXPECT_EQ(Entries(dialog).back(), "t62");
    ExpectInStep(dialog, r);
    EXPECT_EQ(Selection(dialog), LB_ERR);
    EXPECT_FALSE(Enabled(dialog, IDC_TRASH_DELETE));
  });
}

TEST(TrashDialog, AYesAfterTheTrashChangedUnderTheQuestionDeletesTheChosenMemo) {
  test::MainWindowFixture main(("[Pinlark]\r\n" + Memos(1) + TrashMemos({"chosen", "other"})).c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  HWND chosen = r->trash[0];
  HWND memo = r->memos[0];
  WithTrashDialog(main.window(), [&](HWND dialog) {
    // While the question is open the memo goes into the trash and takes entry 0.
    Press(dialog, IDC_TRASH_DELETE, IDYES, [&] { SendMessageA(memo, WM_COMMAND, IDM_DELETE_MEMO, 0); });
    EXPECT_FALSE(IsWindow(chosen));
    EXPECT_TRUE(IsWindow(memo));
    EXPECT_EQ(Entries(dialog), (std::vector<std::string>{"memo 0", "other"}));
    ExpectInStep(dialog, r);
  });
}

TEST(TrashDialog, ATrashMemoDestroyedBehindTheDialogsBackIsNeitherRestoredNorKept) {
  test::MainWindowFixture main(("[Pinlark]\r\n" + TrashMemos({"t0", "t1", "t2"})).c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  WithTrashDialog(main.window(), [&](HWND dialog) {
    DestroyWindow(r->trash[1]);
    Select(dialog, 1);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(r->memoCount, 0);
    EXPECT_EQ(r->memos[0], nullptr);
    EXPECT_EQ(Entries(dialog), (std::vector<std::string>{"t0", "t2"}));
    ExpectInStep(dialog, r);
  });
}

}  // namespace
}  // namespace pinlark
