// The memo edit dialog, worked from a second thread while it runs modally.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "alarm/clock.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "edit/edit_dialog.h"
#include "memo/alarm_time.h"
#include "memo/memo_record.h"
#include "res/resource_ids.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

SYSTEMTIME g_now;
SYSTEMTIME FixedClock() { return g_now; }

std::string Text(HWND dialog, int id) { return test::ItemText(dialog, id); }

std::string AlarmText(HWND dialog) {
  return Text(dialog, IDC_ALARM_YEAR) + "/" + Text(dialog, IDC_ALARM_MONTH) + "/" + Text(dialog, IDC_ALARM_DAY) + " " +
         Text(dialog, IDC_ALARM_HOUR) + ":" + Text(dialog, IDC_ALARM_MINUTE);
}

// Presses a key in a control of the dialog as the keyboard would, and lets it be handled.
void Key(HWND dialog, int id, WPARAM key) {
  HWND control = GetDlgItem(dialog, id);
  SendMessageA(control, WM_KEYDOWN, key, 0);
  SendMessageA(control, WM_KEYUP, key, 0xC0000000);
}

class EditDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = SetClockFunction(FixedClock); }
  void TearDown() override { SetClockFunction(previous_); }
  static void Now(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    g_now = {};
    g_now.wYear = year;
    g_now.wMonth = month;
    g_now.wDay = day;
    g_now.wHour = hour;
    g_now.wMinute = minute;
    g_now.wSecond = 59;
  }
  // Opens the dialog for `memo` and runs `work` on it from the watcher thread; `work` must close it.
  static test::SeenWindow Run(HWND mainWindow, HWND memo, std::function<void(HWND)> work) {
    test::ModalWatcher watcher([&](const test::SeenWindow& s) { work(s.window); });
    OpenEditDialog(mainWindow, memo);
    EXPECT_TRUE(watcher.Wait());
    return watcher.seen();
  }

 private:
  ClockFunction previous_ = nullptr;
};

TEST_F(EditDialogTest, ANewMemoIsProposedTheNextFullHour) {
  test::MainWindowFixture main("[Pinlark]\r\n");
  for (const auto& [y, mo, d, h, mi, shown] :
       {std::tuple{2026, 12, 8, 14, 59, "2026/12/08 15:00"}, std::tuple{2026, 12, 8, 14, 0, "2026/12/08 15:00"},
        std::tuple{1999, 12, 31, 23, 30, "2000/01/01 00:00"}, std::tuple{2026, 12, 8, 14, 10, "2026/12/08 15:00"}}) {
    Now(y, mo, d, h, mi);
    std::string seen;
    Run(main.window(), nullptr, [&](HWND dialog) {
      seen = AlarmText(dialog);
      test::PressButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(seen, shown);
  }
}

TEST_F(EditDialogTest, OkCreatesSizesShowsArrangesAndSavesTheNewMemoWithItsAlarm) {
  test::MainWindowFixture main("[Pinlark]\r\nMove=0\r\n");
  Now(2026, 12, 8, 14, 10);
  const test::SeenWindow seen = Run(main.window(), nullptr, [](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_EDIT_TEXT, "new memo\r\nline two");
    SendDlgItemMessageA(dialog, IDC_EDIT_ALARM, BM_CLICK, 0, 0);
    test::PressButton(dialog, IDOK);
  });
  EXPECT_EQ(seen.title, "Pinlark - メモの編集");
  const SettingsRecord* r = GetSettingsRecord(main.window());
  ASSERT_EQ(r->memoCount, 1);
  HWND memo = r->memos[0];
  EXPECT_EQ(MemoText(memo), "new memo\r\nline two");
  EXPECT_TRUE(IsWindowVisible(memo));
  EXPECT_EQ(GetMemoField(memo, kMemoAlarm), 1);
  EXPECT_EQ(static_cast<uint32_t>(GetMemoField(memo, kMemoAlarmTime)), 2912081500u);
  EXPECT_EQ(GetMemoField(memo, kMemoColor), 0x0080FFFF) << "a new memo starts in DefaultColor";
  RECT rect;
  GetWindowRect(memo, &rect);
  EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN) - 10) << "メモの整列 was checked: arranged";
  const IniDocument ini = IniDocument::Parse(main.ReadIni());
  EXPECT_EQ(ini.GetString("Pinlark", "Memo0", ""), "new memo\\r\\nline two") << "saved at once";
  EXPECT_EQ(ini.GetString("Pinlark", "MemoAlarmTime0", ""), "2912081500");
  EXPECT_EQ(r->editDialog, nullptr);
}

TEST_F(EditDialogTest, SpinsFollowTheCalendarAndLoseTheLeadingZero) {
  test::MainWindowFixture main("[Pinlark]\r\nMemoPos0=600 100 120 30\r\nMemoAlarm0=1\r\nMemo0=alarm\r\n");
  HWND memo = GetSettingsRecord(main.window())->memos[0];
  struct Case {
    AlarmFields start;
    int field;
    WPARAM key;
    const char* after;
  };
  const Case cases[] = {
      {{2026, 3, 5, 10, 59}, IDC_ALARM_MINUTE, VK_UP, "2026/03/05 11:0"},
      {{2026, 3, 5, 23, 59}, IDC_ALARM_MINUTE, VK_UP, "2026/03/05 23:59"},
      {{2026, 3, 5, 0, 0}, IDC_ALARM_MINUTE, VK_DOWN, "2026/03/05 00:00"},
      {{2000, 2, 28, 9, 5}, IDC_ALARM_DAY, VK_UP, "2000/2/29 09:05"},
      {{1999, 2, 28, 9, 5}, IDC_ALARM_DAY, VK_UP, "1999/3/1 09:05"},
      {{2000, 3, 1, 9, 5}, IDC_ALARM_DAY, VK_DOWN, "2000/2/29 09:05"},
      {{1998, 1, 1, 9, 5}, IDC_ALARM_DAY, VK_DOWN, "1997/12/31 09:05"},
  };
  for (const Case& c : cases) {
    SetMemoField(memo, kMemoAlarmTime, static_cast<int32_t>(PackAlarmTime(c.start)));
    std::string after;
    Run(main.window(), memo, [&](HWND dialog) {
      Key(dialog, c.field, c.key);
      after = AlarmText(dialog);
      test::PressButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(after, c.after);
  }
}

TEST_F(EditDialogTest, EscAsksOnlyAfterTheTextChanged) {
  test::MainWindowFixture main("[Pinlark]\r\nMemoPos0=600 100 120 30\r\nMemoColor0=ff\r\nMemo0=text\r\n");
  HWND memo = GetSettingsRecord(main.window())->memos[0];
  Run(main.window(), memo, [](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_EDIT_COLOR, CB_SETCURSEL, 8, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EDIT_COLOR, CBN_SELCHANGE), 0);
    test::PressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(GetMemoField(memo, kMemoColor), 0xff) << "Esc closed at once and kept the colour";

  std::string question;
  bool stillOpen = false;
  Run(main.window(), memo, [&](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_EDIT_TEXT, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("changed "));
    test::ModalWatcher box([&](const test::SeenWindow& s) {
      question = s.staticText;
      test::PressButton(s, IDNO);
    }, "#32770", GetWindowThreadProcessId(dialog, nullptr), dialog);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(box.Wait());
    EXPECT_TRUE(test::WaitFor([&] { return !IsWindow(box.seen().window); })) << "the question closed";
    stillOpen = IsWindowVisible(dialog) != FALSE;
    SendDlgItemMessageA(dialog, IDC_EDIT_TEXT, EM_SETMODIFY, FALSE, 0);
    test::PressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(question, text::kAbandonEdit);
  EXPECT_TRUE(stillOpen) << "No keeps the dialog";
  EXPECT_EQ(MemoText(memo), "text");
}

TEST_F(EditDialogTest, AYearOutsideTheAlarmRangeKeepsTheDialogOpenWithAMessage) {
  test::MainWindowFixture main("[Pinlark]\r\nMemoPos0=600 100 120 30\r\nMemo0=text\r\n");
  HWND memo = GetSettingsRecord(main.window())->memos[0];
  Now(2026, 12, 8, 14, 10);  // the dialog proposes 2026/12/08 15:00
  std::string message;
  Run(main.window(), memo, [&](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_EDIT_ALARM, BM_CLICK, 0, 0);
    SetDlgItemTextA(dialog, IDC_ALARM_YEAR, "2040");
    test::ModalWatcher box([&](const test::SeenWindow& s) {
      message = s.staticText;
      test::PressButton(s, IDOK);
    }, "#32770", GetWindowThreadProcessId(dialog, nullptr), dialog);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    box.Wait();
    SetDlgItemTextA(dialog, IDC_ALARM_YEAR, "2039");
    test::PressButton(dialog, IDOK);
  });
  EXPECT_EQ(message, text::kAlarmYearRange);
  EXPECT_EQ(static_cast<uint32_t>(GetMemoField(memo, kMemoAlarmTime)), 4212081500u) << "2039/12/08 15:00";
}

// The control with the keyboard focus in the thread that runs `dialog`, once it is `expected`
// (the dialog sets it after its message box has gone); the last one seen after 2 s otherwise.
HWND FocusOnceItIs(HWND dialog, HWND expected) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  for (int i = 0; i < 100; ++i) {
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    if (info.hwndFocus == expected) break;
    Sleep(20);
  }
  return info.hwndFocus;
}

TEST_F(EditDialogTest, OkRefusesEachAlarmFieldOutsideItsRangeAndSelectsIt) {
  test::MainWindowFixture main("[Pinlark]\r\nMemoPos0=600 100 120 30\r\nMemo0=text\r\n");
  HWND memo = GetSettingsRecord(main.window())->memos[0];
  struct Case {
    int field;
    const char* typed;
    const char* year;  // with a sound date otherwise: 1999/02/28 12:30
    std::string message;
  };
  const Case cases[] = {
      {IDC_ALARM_MONTH, "13", "1999", text::kAlarmMonthRange},
      {IDC_ALARM_DAY, "29", "1999", "アラームの日は1～28の範囲で指定してください"},
      {IDC_ALARM_HOUR, "24", "1999", text::kAlarmHourRange},
      {IDC_ALARM_MINUTE, "60", "1999", text::kAlarmMinuteRange},
  };
  std::string year;
  Run(main.window(), memo, [&](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_EDIT_ALARM, BM_CLICK, 0, 0);
    for (const Case& c : cases) {
      const std::pair<int, const char*> sound[] = {{IDC_ALARM_YEAR, c.year}, {IDC_ALARM_MONTH, "2"}, {IDC_ALARM_DAY, "28"},
                                                   {IDC_ALARM_HOUR, "12"}, {IDC_ALARM_MINUTE, "30"}};
      for (const auto& [id, value] : sound) SetDlgItemTextA(dialog, id, value);
      SetDlgItemTextA(dialog, c.field, c.typed);
      std::string message;
      test::ModalWatcher box([&](const test::SeenWindow& seen) {
        message = seen.staticText;
        test::PressButton(seen, IDOK);
      }, "#32770", GetWindowThreadProcessId(dialog, nullptr), dialog);
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      EXPECT_TRUE(box.Wait()) << c.field << " " << c.typed;
      EXPECT_EQ(message, c.message);
      HWND field = GetDlgItem(dialog, c.field);
      EXPECT_EQ(FocusOnceItIs(dialog, field), field) << c.field << " " << c.typed;
      DWORD from = 1, to = 0;
      SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
      EXPECT_EQ(from, 0u);
      EXPECT_EQ(to, std::string(c.typed).size()) << "the whole text is selected";
    }
    SetDlgItemTextA(dialog, IDC_ALARM_DAY, "29");
    SetDlgItemTextA(dialog, IDC_ALARM_MINUTE, "30");
    // The year as an input method commits it: four full-width digits at once, caret after them.
    SetDlgItemTextA(dialog, IDC_ALARM_YEAR, "");
    SendDlgItemMessageA(dialog, IDC_ALARM_YEAR, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("２０００"));
    year = Text(dialog, IDC_ALARM_YEAR);
    test::PressButton(dialog, IDOK);
  });
  EXPECT_EQ(year, "2000");
  EXPECT_EQ(static_cast<uint32_t>(GetMemoField(memo, kMemoAlarmTime)),
            PackAlarmTime({2000, 2, 29, 12, 30})) << "a sound time is taken after the refusals";
}

TEST_F(EditDialogTest, AMemoDeletedWhileTheDialogIsOpenBecomesANewMemoOnOk) {
  test::MainWindowFixture main("[Pinlark]\r\nMemoPos0=600 100 120 30\r\nMemo0=old\r\n");
  const SettingsRecord* r = GetSettingsRecord(main.window());
  HWND memo = r->memos[0];
  Run(main.window(), memo, [&](HWND dialog) {
    SendMessageA(memo, WM_COMMAND, IDM_DELETE_MEMO, 0);
    SetDlgItemTextA(dialog, IDC_EDIT_TEXT, "rescued");
    test::PressButton(dialog, IDOK);
  });
  ASSERT_EQ(r->memoCount, 1);
  EXPECT_NE(r->memos[0], memo);
  EXPECT_EQ(MemoText(r->memos[0]), "rescued");
  EXPECT_EQ(MemoText(r->trash[0]), "old") << "the deleted memo stays in the trash as it was";
}

TEST_F(EditDialogTest, ASecondEditorIsRefused) {
  test::MainWindowFixture main("[Pinlark]\r\n");
  std::string refusal;
  Run(main.window(), nullptr, [&](HWND dialog) {
    test::ModalWatcher box([&](const test::SeenWindow& s) {
      refusal = s.staticText;
      test::PressButton(s, IDOK);
    }, "#32770", GetWindowThreadProcessId(dialog, nullptr), dialog);
    PostMessageA(main.window(), WM_COMMAND, IDM_NEW_MEMO, 0);
    box.Wait();
    test::PressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(refusal, text::kOnlyOneEditor);
}

// The session ends after the program refused to close for the open dialog: the text being
// edited goes into its memo (or a new one) and is saved with every memo and setting.
TEST_F(EditDialogTest, WhenTheSessionEndsTheTextBeingEditedIsSavedWithEverything) {
  test::MainWindowFixture main("[Pinlark]\r\nAbbandConf=0\r\nMemoPos0=600 100 120 30\r\nMemo0=old\r\n");
  const HWND w = main.window();
  const SettingsRecord* r = GetSettingsRecord(w);
  SetSetting(w, kSetMinColumn, 33);
  for (const HWND edited : {r->memos[0], HWND{nullptr}}) {
    LRESULT query = -1;
    std::string atEnd;
    Run(w, edited, [&](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_EDIT_TEXT, edited != nullptr ? "changed" : "brand new");
      SendDlgItemMessageA(dialog, IDC_EDIT_TEXT, EM_SETMODIFY, TRUE, 0);
      test::ModalWatcher refusal([](const test::SeenWindow& s) { test::PressButton(s, IDOK); }, "#32770",
                                 GetWindowThreadProcessId(dialog, nullptr), dialog);
      query = SendMessageA(w, WM_QUERYENDSESSION, 0, 0);
      refusal.Wait();
      SendMessageA(w, WM_ENDSESSION, TRUE, 0);
      atEnd = test::ReadFileBytes(main.iniPath()).value_or("");
      test::PressButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(query, 0) << "closing is refused while the dialog is open";
    const IniDocument ini = IniDocument::Parse(atEnd);
    EXPECT_EQ(ini.GetString("Pinlark", "Memo0", ""), "changed");
    EXPECT_EQ(ini.GetString("Pinlark", "Memo1", ""), edited != nullptr ? "" : "brand new");
    EXPECT_EQ(ini.GetInt("Pinlark", "MinColumn", 0), 33);
  }
  ASSERT_EQ(r->memoCount, 2) << "the dialog closed on the memo it had made: no second one";
  EXPECT_EQ(MemoText(r->memos[1]), "brand new");
  EXPECT_TRUE(IsWindowVisible(r->memos[1]));
}

}  // namespace
}  // namespace pinlark

namespace pinlark {
namespace {

// Enter as the keyboard sends it to the focused edit field (the dialog's loop makes the
// character of the key).
void PostEnter(HWND dialog) {
  HWND field = GetDlgItem(dialog, IDC_EDIT_TEXT);
  PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageA(field, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

TEST_F(EditDialogTest, EnterAppliesWithCrModeOneAndBreaksTheLineWithZero) {
  test::MainWindowFixture applies("[Pinlark]\r\nCRMode=1\r\nMemoPos0=600 100 120 30\r\nMemo0=ab\r\n");
  HWND memo = GetSettingsRecord(applies.window())->memos[0];
  bool closed = false;
  Run(applies.window(), memo, [&](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_EDIT_TEXT, EM_SETSEL, 1, 1);
    PostEnter(dialog);
    closed = test::WaitFor([&] { return !IsWindow(dialog); });
    if (!closed) test::PressButton(dialog, IDCANCEL);
  });
  EXPECT_TRUE(closed) << "Enter pressed OK";
  EXPECT_EQ(MemoText(memo), "ab");

  test::MainWindowFixture breaks("[Pinlark]\r\nCRMode=0\r\nAbbandConf=0\r\nMemoPos0=600 100 120 30\r\nMemo0=ab\r\n");
  memo = GetSettingsRecord(breaks.window())->memos[0];
  std::string text;
  Run(breaks.window(), memo, [&](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_EDIT_TEXT, EM_SETSEL, 1, 1);
    PostEnter(dialog);
    test::WaitFor([&] { return Text(dialog, IDC_EDIT_TEXT) != "ab"; });
    text = Text(dialog, IDC_EDIT_TEXT);
    test::PressButton(dialog, IDOK);
  });
  EXPECT_EQ(text, "a\r\nb");
  EXPECT_EQ(MemoText(memo), "a\r\nb");
}

TEST_F(EditDialogTest, TheColourComboShowsTheMemosColourAndTheFieldPaintsInIt) {
  test::MainWindowFixture main("[Pinlark]\r\nDefaultColor=c0c0c0\r\nMemoPos0=600 100 120 30\r\nMemoColor0=fffffffe\r\nMemo0=x\r\n");
  HWND memo = GetSettingsRecord(main.window())->memos[0];
  LRESULT memoEntry = -1, newEntry = -1;
  Run(main.window(), memo, [&](HWND dialog) {
    memoEntry = SendDlgItemMessageA(dialog, IDC_EDIT_COLOR, CB_GETCURSEL, 0, 0);
    test::PressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(memoEntry, 12) << "透明(明)";
  COLORREF black = 0, white = 0;
  std::string arrangeCaption;
  Run(main.window(), nullptr, [&](HWND dialog) {
    newEntry = SendDlgItemMessageA(dialog, IDC_EDIT_COLOR, CB_GETCURSEL, 0, 0);
    arrangeCaption = Text(dialog, IDC_EDIT_ARRANGE);
    HWND field = GetDlgItem(dialog, IDC_EDIT_TEXT);
    auto pick = [&](int entry) {
      SendDlgItemMessageA(dialog, IDC_EDIT_COLOR, CB_SETCURSEL, entry, 0);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EDIT_COLOR, CBN_SELCHANGE), 0);
      UpdateWindow(field);
      Sleep(200);
      HDC dc = GetDC(field);
      const COLORREF pixel = GetPixel(dc, 20, 40);
      ReleaseDC(field, dc);
      return pixel;
    };
    black = pick(10);
    white = pick(8);
    test::PressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(newEntry, 9) << "a new memo starts in DefaultColor";
  EXPECT_EQ(arrangeCaption, "メモの整列(\x1E" "A\x1F" "ﾒ)") << "the mnemonic group of the template";
  EXPECT_EQ(black, RGB(0, 0, 0));
  EXPECT_EQ(white, RGB(255, 255, 255)) << "a new choice repaints at once";
}

TEST_F(EditDialogTest, AColourOutsideThePaletteSelectsNothingAndIsKeptOnOk) {
  test::MainWindowFixture main("[Pinlark]\r\nDefaultColor=123456\r\nMemoPos0=600 100 120 30\r\nMemoColor0=654321\r\nMemo0=x\r\n");
  const SettingsRecord* r = GetSettingsRecord(main.window());
  HWND memo = r->memos[0];
  LRESULT newEntry = 0, memoEntry = 0;
  Run(main.window(), nullptr, [&](HWND dialog) {
    newEntry = SendDlgItemMessageA(dialog, IDC_EDIT_COLOR, CB_GETCURSEL, 0, 0);
    SetDlgItemTextA(dialog, IDC_EDIT_TEXT, "new");
    test::PressButton(dialog, IDOK);
  });
  Run(main.window(), memo, [&](HWND dialog) {
    memoEntry = SendDlgItemMessageA(dialog, IDC_EDIT_COLOR, CB_GETCURSEL, 0, 0);
    test::PressButton(dialog, IDOK);
  });
  EXPECT_EQ(newEntry, CB_ERR);
  EXPECT_EQ(memoEntry, CB_ERR);
  ASSERT_EQ(r->memoCount, 2);
  EXPECT_EQ(GetMemoField(r->memos[1], kMemoColor), 0x123456) << "a new memo gets DefaultColor, not black";
  EXPECT_EQ(GetMemoField(memo, kMemoColor), 0x654321) << "an existing memo keeps its colour";
}

}  // namespace
}  // namespace pinlark
