// Memo windows in the program's own process: where new memos stand, how they size to their
// text, the arrange and lower commands, and saving and loading them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings_record.h"
#include "app/texts.h"
#include "arrange/arrange_commands.h"
#include "memo/memo_keys.h"
#include "memo/memo_record.h"
#include "memo/memo_store.h"
#include "memo/memo_window.h"
#include "memo/text_escape.h"
#include "res/resource_ids.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

RECT RectOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

HWND NewMemo(HWND mainWindow, const char* text, int x, int y) {
  HWND memo = CreateMemoWindow(mainWindow, kKindMemo);
  SetWindowTextA(memo, text);
  SetWindowPos(memo, nullptr, x, y, 60, 20, SWP_NOZORDER | SWP_NOACTIVATE);
  return memo;
}

// The line height and the width of n letters x in the system font, as auto-size measures them.
SIZE Measured(HWND window, const std::string& text) {
  HDC dc = GetDC(window);
  SIZE size;
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ReleaseDC(window, dc);
  return size;
}

TEST(MemoWindow, IsAHiddenBorderlessPopupOwnedByTheMainWindowWithAZeroRecord) {
  test::MainWindowFixture main;
  HWND memo = CreateMemoWindow(main.window(), kKindMemo);
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(GetWindow(memo, GW_OWNER), main.window());
  EXPECT_FALSE(IsWindowVisible(memo));
  EXPECT_EQ(GetWindowLongA(memo, GWL_STYLE) & (WS_POPUP | WS_BORDER | WS_CAPTION), WS_POPUP);
  const RECT rect = RectOf(memo);
  EXPECT_EQ(rect.right - rect.left, 50);
  EXPECT_EQ(rect.bottom - rect.top, 10);
  for (int field = 0; field <= 6; ++field) EXPECT_EQ(GetMemoField(memo, field), 0);
  SetMemoField(memo, kMemoAlarmTime, -1382885796);
  EXPECT_EQ(static_cast<uint32_t>(GetMemoField(memo, kMemoAlarmTime)), 2912081500u);
  EXPECT_EQ(GetMemoField(memo, 7), 0);
  EXPECT_EQ(GetMemoField(memo, -1), 0);
  EXPECT_EQ(GetMemoField(nullptr, kMemoColor), 0) << "an empty slot reads 0";
  EXPECT_EQ(GetSettingsRecord(main.window())->memos[0], memo);
}

TEST(MemoWindow, TheFirstStandsAtTheCornerAndLaterOnesBelowTheArrangedMemos) {
  test::MainWindowFixture main;
  // The taskbar is at the bottom: the corner is the screen's top right, 10 (the margins) inside.
  HWND first = CreateMemoWindow(main.window(), kKindMemo);
  EXPECT_EQ(RectOf(first).left, GetSystemMetrics(SM_CXSCREEN) - 10 - 50);
  EXPECT_EQ(RectOf(first).top, 10);

  SetWindowPos(first, nullptr, 500, 90, 60, 10, SWP_NOZORDER);  // bottom 100
  HWND second = NewMemo(main.window(), "b", 500, 95);
  SetWindowPos(second, nullptr, 500, 95, 60, 10, SWP_NOZORDER);  // bottom 105
  HWND excluded = NewMemo(main.window(), "c", 500, 300);
  SetMemoField(excluded, kMemoNoArrange, 1);
  HWND third = CreateMemoWindow(main.window(), kKindMemo);
  EXPECT_EQ(RectOf(third).top, 110);
  EXPECT_EQ(RectOf(third).left, GetSystemMetrics(SM_CXSCREEN) - 10 - 50);
}

TEST(MemoWindow, TheSixtyFifthIsRefused) {
  test::MainWindowFixture main;
  for (int i = 0; i < 64; ++i) ASSERT_NE(CreateMemoWindow(main.window(), kKindMemo), nullptr);
  test::ModalWatcher watcher([](const test::SeenWindow& s) { test::PressButton(s, IDOK); });
  EXPECT_EQ(CreateMemoWindow(main.window(), kKindMemo), nullptr);
  ASSERT_TRUE(watcher.Wait());
  EXPECT_EQ(watcher.seen().staticText, text::kTooManyMemos);
  EXPECT_EQ(GetSettingsRecord(main.window())->memoCount, 64);
  EXPECT_NE(CreateMemoWindow(main.window(), kKindTrash), nullptr) << "the trash list has its own 64";
}

TEST(AutoSize, HeightCountsLinesAndWidthKeepsTheRightOrTheLeftEdge) {
  test::MainWindowFixture main("[Pinlark]\r\nMinColumn=12\r\n");
  HWND memo = NewMemo(main.window(), "word\r\n", 600, 100);
  const SIZE line = Measured(memo, std::string(12, 'x'));
  const int border = GetSystemMetrics(SM_CYBORDER) + 4;
  AutoSizeMemo(memo);
  RECT rect = RectOf(memo);
  EXPECT_EQ(rect.bottom - rect.top, line.cy + border) << "one word and CR LF: one line";
  EXPECT_EQ(rect.right, 660) << "the right edge stays";
  EXPECT_EQ(rect.right - rect.left, line.cx + GetSystemMetrics(SM_CXBORDER) + 4) << "at least 12 letters x wide";

  SetWindowTextA(memo, "word\r\n\r\n");
  AutoSizeMemo(memo);
  EXPECT_EQ(RectOf(memo).bottom - RectOf(memo).top, 2 * line.cy + border);
  SetWindowTextA(memo, "");
  AutoSizeMemo(memo);
  EXPECT_EQ(RectOf(memo).bottom - RectOf(memo).top, border) << "an empty text has no line";

  SetMemoField(memo, kMemoNoArrange, 1);
  SetMemoField(memo, kMemoNoMinClm, 1);
  const int left = RectOf(memo).left;
  AutoSizeMemo(memo);
  EXPECT_EQ(RectOf(memo).left, left) << "a memo left out of arranging keeps its left edge";
  EXPECT_EQ(RectOf(memo).right - left, Measured(memo, std::string(10, 'x')).cx + GetSystemMetrics(SM_CXBORDER) + 4);
}

TEST(AutoSize, PutsTheMemoInItsZOrderBandAndLeavesMoveAlone) {
  test::MainWindowFixture main;
  HWND memo = NewMemo(main.window(), "top", 600, 100);
  ShowWindow(memo, SW_SHOWNOACTIVATE);
  ASSERT_FALSE(GetWindowLongA(memo, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetMemoField(memo, kMemoTopMost, 1);
  // Auto-size leaves Move as it found it, whichever value that is.
  for (int move : {0, 1}) {
    SetSetting(main.window(), kSetMove, move);
    AutoSizeMemo(memo);
    EXPECT_TRUE(GetWindowLongA(memo, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetSetting(main.window(), kSetMove), move);
  }
  // (Taking an owned window out of the topmost band right above its owner is a no-op under
  // Wine 8, so the way back is not checked here.)
}

TEST(ArrangeCommand, LinesTheMemosUpByTopAndClearsMove) {
  test::MainWindowFixture main("[Pinlark]\r\ncyInterval=-5\r\n");
  HWND lower = NewMemo(main.window(), "a", 100, 300);
  HWND upper = NewMemo(main.window(), "b", 200, 100);
  HWND kept = NewMemo(main.window(), "c", 50, 50);
  SetMemoField(kept, kMemoNoArrange, 1);
  SetSetting(main.window(), kSetMove, 1);
  main.Send(WM_COMMAND, IDM_ARRANGE);
  EXPECT_EQ(RectOf(upper).right, GetSystemMetrics(SM_CXSCREEN) - 10);
  EXPECT_EQ(RectOf(upper).top, 10);
  EXPECT_EQ(RectOf(lower).top, 10 + 20 - 5);
  EXPECT_EQ(RectOf(kept).left, 50) << "NoArrange memos keep their place";
  EXPECT_EQ(GetSetting(main.window(), kSetMove), 0);
}

TEST(LowerCommand, LeavesAlwaysOnTopMemosInFront) {
  test::MainWindowFixture main;
  HWND plain = NewMemo(main.window(), "plain", 100, 100);
  HWND pinned = NewMemo(main.window(), "pinned", 100, 150);
  SetMemoField(pinned, kMemoTopMost, 1);
  SetWindowPos(pinned, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(plain, SW_SHOWNOACTIVATE);
  ShowWindow(pinned, SW_SHOWNOACTIVATE);
  SetWindowPos(plain, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  auto below = [](HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
      if (w == lower) return true;
    }
    return false;
  };
  ASSERT_TRUE(below(plain, other));
  main.Send(WM_COMMAND, IDM_LOWER_ALL);
  EXPECT_TRUE(below(other, plain)) << "the plain memo went behind the other window";
  EXPECT_TRUE(below(pinned, other)) << "the always-on-top memo stays in front";
  EXPECT_TRUE(GetWindowLongA(pinned, GWL_EXSTYLE) & WS_EX_TOPMOST);
  DestroyWindow(other);
}

// A hostile set: the longest text, nothing but line breaks or backslashes, characters with a
// backslash as their second byte, blanks and quotes at the ends, empty memos between others.
std::vector<std::string> HostileTexts() {
  std::vector<std::string> texts = {
      std::string(65534, 'L'),
      [] { std::string s; while (s.size() < 65534) s += "\r\n"; return s; }(),
      std::string(65534, '\\'),
      "\x95\x5C\x83\x5C\\",  // 表ソ and a backslash
      "  blanks at both ends  ",
      "\"quoted\"",
      "",
      "'single'",
      "\ttab\tand\\t",
      "",
      "last\r\n",
  };
  while (texts.size() < 64) texts.push_back("memo " + std::to_string(texts.size()));
  return texts;
}

TEST(MemoStore, SixtyFourMemosAndSixtyFourTrashMemosComeBackByteForByte) {
  const std::vector<std::string> texts = HostileTexts();
  IniDocument written;
  for (int slot = 0; slot < 64; ++slot) {
    StoredMemo memo;
    memo.window = {300 + slot, 10 + slot * 5, 400 + slot, 40 + slot * 5};
    memo.color = slot % 5 == 0 ? -2 : 0x102030 * slot;
    memo.topMost = slot % 2;
    memo.noArrange = slot % 3 == 0;
    memo.noMinClm = slot % 4 == 0;
    memo.alarm = slot % 7 == 0;
    memo.alarmTime = 2912081500u + static_cast<uint32_t>(slot);
    memo.text = texts[slot];
    WriteMemoSlot(&written, kMemoPrefix, slot, &memo);
    memo.text = texts[63 - slot];
    WriteMemoSlot(&written, kTrashPrefix, slot, &memo);
  }
  written.Set("Pinlark", "Move", "1");
  const std::string original = written.Serialize();

  test::MainWindowFixture main(original.c_str());
  const SettingsRecord* r = GetSettingsRecord(main.window());
  ASSERT_EQ(r->memoCount, 64);
  ASSERT_EQ(r->trashCount, 64);
  for (int slot = 0; slot < 64; ++slot) {
    ASSERT_EQ(MemoText(r->memos[slot]), texts[slot]) << "memo " << slot;
    ASSERT_EQ(MemoText(r->trash[slot]), texts[63 - slot]) << "trash " << slot;
    EXPECT_FALSE(IsWindowVisible(r->trash[slot]));
  }
  EXPECT_EQ(static_cast<uint32_t>(GetMemoField(r->memos[9], kMemoAlarmTime)), 2912081509u);
  // The memos shown, the last one read active, and the z-order as if each memo, then each trash
  // memo, had gone to the top of its band (the always-on-top ones or the others) in turn.
  std::vector<HWND> expected;
  for (int pinned = 1; pinned >= 0; --pinned) {
    for (const HWND* list : {r->trash, r->memos}) {
      for (int slot = 63; slot >= 0; --slot) {
        if (slot % 2 == pinned) expected.push_back(list[slot]);
      }
    }
  }
  std::vector<HWND> stacked;
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (GetWindow(w, GW_OWNER) == main.window()) stacked.push_back(w);
  }
  EXPECT_EQ(stacked, expected);
  for (int slot = 0; slot < 64; ++slot) EXPECT_TRUE(IsWindowVisible(r->memos[slot])) << "memo " << slot;
  EXPECT_EQ(GetActiveWindow(), r->memos[63]);
  ASSERT_TRUE(SaveAllMemos(main.window()));
  EXPECT_EQ(main.ReadIni(), original) << "saving right after loading writes the same bytes";
}

TEST(MemoStore, AReadOnlyFileGivesOneMessageAndLosesNothing) {
  test::MainWindowFixture main("[Pinlark]\r\nMemo0=first\r\n");
  HWND added = NewMemo(main.window(), "second", 300, 300);
  SetFileAttributesA(main.iniPath().c_str(), FILE_ATTRIBUTE_READONLY);
  test::ModalWatcher watcher([](const test::SeenWindow& s) { test::PressButton(s, IDOK); });
  EXPECT_FALSE(SaveAllMemos(main.window()));
  ASSERT_TRUE(watcher.Wait());
  EXPECT_EQ(watcher.seen().staticText.rfind(text::kSaveFailed, 0), 0u);
  EXPECT_EQ(main.ReadIni(), "[Pinlark]\r\nMemo0=first\r\n");
  EXPECT_EQ(MemoText(added), "second");

  SetFileAttributesA(main.iniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(SaveAllMemos(main.window()));
  const IniDocument ini = IniDocument::Parse(main.ReadIni());
  EXPECT_EQ(ini.GetString("Pinlark", "Memo0", ""), "first");
  EXPECT_EQ(ini.GetString("Pinlark", "Memo1", ""), "second");
}

TEST(MemoStore, ARunWithoutASettingsFileSaysOnceWhyItsChangesCannotBeSaved) {
  test::MainWindowFixture main;
  const HWND w = main.window();
  SettingsRecord* r = GetSettingsRecord(w);
  r->settingsPath.clear();  // as start-up leaves a run whose file it could not read
  r->unsavedReason = text::kNotSavedUnreadable;
  r->unsavedError = ERROR_SHARING_VIOLATION;
  NewMemo(w, "only in memory", 300, 300);
  {
    test::ModalWatcher told([](const test::SeenWindow& s) { test::PressButton(s, IDOK); });
    SaveAllMemos(w);
    ASSERT_TRUE(told.Wait());
    EXPECT_EQ(told.seen().staticText,
              std::string(text::kNotSavedUnreadable) + "\n" + test::SystemText(ERROR_SHARING_VIOLATION));
  }
  test::ModalWatcher silent([](const test::SeenWindow& s) { test::PressButton(s, IDOK); });
  SaveAllMemos(w);
  main.Send(WM_CLOSE);
  EXPECT_FALSE(silent.Stop()) << "once per run";
  EXPECT_FALSE(main.Alive()) << "the close still ends the program";
  EXPECT_EQ(GetFileAttributesA(main.iniPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

// Long texts go through one buffer for all memos of a save: each comes out whole and alone,
// and a text longer than a memo holds is saved cut, as it always was.
TEST(MemoStore, LongAndShortTextsAreSavedWholeAndOverlongOnesCut) {
  std::string longest;
  while (longest.size() < kMemoTextMax) longest += "line \x95\x5C\\\r\n";
  longest.resize(kMemoTextMax);  // the units are single bytes and pairs ending in 0x5C: no split
  std::string japanese;
  while (japanese.size() < 20000) japanese += "\x82\xA0\x83\x5C\t";
  const std::string overlong(kMemoTextMax + 5000, 'y');

  test::MainWindowFixture main("[Pinlark]\r\n");
  HWND memos[] = {NewMemo(main.window(), longest.c_str(), 100, 100),
                  NewMemo(main.window(), "x", 120, 120),
                  NewMemo(main.window(), japanese.c_str(), 140, 140),
                  NewMemo(main.window(), overlong.c_str(), 160, 160)};
  const std::string expected[] = {longest, "x", japanese, overlong.substr(0, kMemoTextMax)};
  ASSERT_TRUE(SaveAllMemos(main.window()));
  ASSERT_TRUE(SaveAllMemos(main.window()));  // the second save finds them all in the file already

  const IniDocument ini = IniDocument::Parse(main.ReadIni());
  for (int slot = 0; slot < 4; ++slot) {
    const auto loaded = ReadMemoSlot(ini, kMemoPrefix, slot, 0, [](unsigned char b) { return IsDBCSLeadByte(b) != FALSE; });
    ASSERT_TRUE(loaded) << slot;
    EXPECT_TRUE(loaded->memo.text == expected[slot]) << slot << ": " << loaded->memo.text.size() << " bytes";
    EXPECT_TRUE(MemoText(memos[slot]) == expected[slot]) << slot;
  }
  EXPECT_FALSE(ReadMemoSlot(ini, kMemoPrefix, 4, 0));
}

// A save escapes a text only when it changed since the last one: a new text is written, and
// a value edited in the file meanwhile is written back from the memo, the edited file kept
// beside it under the name the user is told.
TEST(MemoStore, EachSaveWritesTheTextTheMemoHoldsNow) {
  test::MainWindowFixture main("[Pinlark]\r\n");
  HWND memo = NewMemo(main.window(), "old\ttext", 100, 100);
  ASSERT_TRUE(SaveAllMemos(main.window()));
  EXPECT_EQ(IniDocument::Parse(main.ReadIni()).GetString("Pinlark", "Memo0", ""), "old\\ttext");

  SetWindowTextA(memo, "new\r\ntext");
  ASSERT_TRUE(SaveAllMemos(main.window()));
  EXPECT_EQ(IniDocument::Parse(main.ReadIni()).GetString("Pinlark", "Memo0", ""), "new\\r\\ntext");

  IniDocument edited = IniDocument::Parse(main.ReadIni());
  edited.Set("Pinlark", "Memo0", "changed outside");
  test::WriteFileBytes(main.iniPath(), edited.Serialize());
  test::ModalWatcher watcher([](const test::SeenWindow& s) { test::PressButton(s, IDOK); });
  ASSERT_TRUE(SaveAllMemos(main.window()));
  ASSERT_TRUE(watcher.Wait());
  const std::string& told = watcher.seen().staticText;
  ASSERT_EQ(told.rfind(text::kSettingsChangedElsewhere, 0), 0u) << told;
  const std::string copy = told.substr(std::string(text::kSettingsChangedElsewhere).size());
  EXPECT_EQ(copy.rfind(main.iniPath() + ".changed-", 0), 0u) << copy;
  EXPECT_EQ(test::ReadFileBytes(copy), edited.Serialize());
  EXPECT_EQ(IniDocument::Parse(main.ReadIni()).GetString("Pinlark", "Memo0", ""), "new\\r\\ntext");
}

TEST(MemoStore, AMemoStoredOffEveryMonitorComesBackIntoView) {
  test::MainWindowFixture main("[Pinlark]\r\nMemoPos0=5000 4000 120 30\r\nMemo0=far away\r\n"
                               "MemoPos1=100 200 120 30\r\nMemo1=here\r\nMemoPos2=6000 5000 80 40\r\nMemo2=far too\r\n");
  const SettingsRecord* r = GetSettingsRecord(main.window());
  const RECT moved = RectOf(r->memos[0]);
  EXPECT_LT(moved.right, GetSystemMetrics(SM_CXSCREEN) + 1);
  EXPECT_LT(moved.bottom, GetSystemMetrics(SM_CYSCREEN) + 1);
  EXPECT_EQ(moved.right - moved.left, 120) << "its size is kept";
  EXPECT_EQ(RectOf(r->memos[1]).left, 100) << "a memo in view keeps its place";
  EXPECT_EQ(RectOf(r->memos[1]).top, 200);
  // A new memo's place counts the memos before it where they were loaded: below the first
  // (top 10, bottom 40) and the second (bottom 200 + 30), 10 apart; its right edge 50 beyond.
  EXPECT_EQ(RectOf(r->memos[2]).top, 240);
  EXPECT_EQ(RectOf(r->memos[2]).right, GetSystemMetrics(SM_CXSCREEN) - 10);
}

// With Hide set nothing is shown, yet an always-on-top memo is in its band, ready to be shown.
TEST(MemoStore, HiddenMemosStillTakeTheirBand) {
  test::MainWindowFixture main("[Pinlark]\r\nHide=1\r\nMemoPos0=100 100 80 40\r\nMemoTopMost0=1\r\nMemo0=pinned\r\n"
                               "MemoPos1=300 100 80 40\r\nMemo1=plain\r\n");
  const SettingsRecord* r = GetSettingsRecord(main.window());
  ASSERT_EQ(r->memoCount, 2);
  for (int i = 0; i < 2; ++i) EXPECT_FALSE(IsWindowVisible(r->memos[i])) << "memo " << i;
  EXPECT_NE(GetWindowLongA(r->memos[0], GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetWindowLongA(r->memos[1], GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

}  // namespace
}  // namespace pinlark
