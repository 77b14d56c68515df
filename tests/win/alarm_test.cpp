// The alarm check with an injected clock and sound: when it rings, what the dialog looks like,
// what each answer does, and the blinking that goes with it.
#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "alarm/alarm_check.h"
#include "alarm/alarm_sound.h"
#include "alarm/blinking.h"
#include "alarm/clock.h"
#include "app/settings_record.h"
#include "memo/alarm_time.h"
#include "memo/memo_record.h"
#include "res/resource_ids.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

using test::ModalWatcher;
using test::SeenWindow;
using Answer = std::function<void(const SeenWindow&)>;

struct MemoSpec {
  const char* text;
  int x, y;
  int alarm;
  AlarmFields time;
};

// A settings file with the given memos, each 120 x 30 at its place, and optional extra keys.
std::string IniWith(std::initializer_list<MemoSpec> memos, const std::string& extra = "") {
  std::string ini = "[Pinlark]\r\n" + extra;
  int slot = 0;
  for (const MemoSpec& m : memos) {
    const std::string n = std::to_string(slot++);
    ini += "MemoPos" + n + "=" + std::to_string(m.x) + " " + std::to_string(m.y) + " 120 30\r\n";
    ini += "MemoAlarm" + n + "=" + std::to_string(m.alarm) + "\r\n";
    ini += "MemoAlarmTime" + n + "=" + std::to_string(PackAlarmTime(m.time)) + "\r\n";
    ini += "Memo" + n + "=" + m.text + "\r\n";
  }
  return ini;
}

SYSTEMTIME At(int year, int month, int day, int hour, int minute, int second = 0) {
  SYSTEMTIME t = {};
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  t.wHour = static_cast<WORD>(hour);
  t.wMinute = static_cast<WORD>(minute);
  t.wSecond = static_cast<WORD>(second);
  return t;
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Answers every visible dialog of the dialog's thread but `dialog` with OK.
void CloseOtherDialogs(HWND dialog) {
  EnumThreadWindows(
      GetWindowThreadProcessId(dialog, nullptr),
      [](HWND window, LPARAM keep) -> BOOL {
        char name[16];
        GetClassNameA(window, name, sizeof name);
        if (window != reinterpret_cast<HWND>(keep) && lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window)) {
          PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(dialog));
}

void Choose(const SeenWindow& s, int id) { PostMessageA(GetDlgItem(s.window, id), BM_CLICK, 0, 0); }

// What one ring looked like when its sound was asked for (after blinking started, before the
// dialog).
struct Ring {
  std::string sound;
  HWND blinking;
};

// The state the injected clock and sound work on; one test at a time.
struct AlarmWorld {
  SYSTEMTIME now = At(2003, 6, 15, 12, 0);
  HWND main = nullptr;
  std::vector<Ring> rings;
  std::deque<Answer> answers;  // one per dialog; OK when they run out
  std::vector<std::unique_ptr<ModalWatcher>> watchers;
};
AlarmWorld* g_world = nullptr;

SYSTEMTIME FakeClock() { return g_world->now; }

// The sound comes just before each dialog: the watcher that answers that dialog starts here.
void RecordSound(const char* file) {
  g_world->rings.push_back({file, GetSettingsRecord(g_world->main)->blinkingMemo});
  Answer answer = [](const SeenWindow& s) { test::PressButton(s, IDOK); };
  if (!g_world->answers.empty()) {
    answer = g_world->answers.front();
    g_world->answers.pop_front();
  }
  g_world->watchers.push_back(std::make_unique<ModalWatcher>(answer));
}

// Menus the main window opens are recorded and closed at once.
WNDPROC g_mainProc = nullptr;
std::atomic<int> g_menusOpened{0};
LRESULT CALLBACK WatchMenus(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITMENUPOPUP) {
    ++g_menusOpened;
    EndMenu();
  }
  return CallWindowProcA(g_mainProc, window, message, wParam, lParam);
}

// The delete and edit commands reaching memos, recorded and kept from the memo procedure.
struct MemoCommand {
  HWND memo;
  int id;
  bool operator==(const MemoCommand& o) const { return memo == o.memo && id == o.id; }
};
WNDPROC g_memoProc = nullptr;
std::vector<MemoCommand> g_memoCommands;
LRESULT CALLBACK RecordMemoCommands(HWND memo, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && (LOWORD(wParam) == IDM_DELETE_MEMO || LOWORD(wParam) == IDM_EDIT_MEMO)) {
    g_memoCommands.push_back({memo, LOWORD(wParam)});
    return 0;
  }
  return CallWindowProcA(g_memoProc, memo, message, wParam, lParam);
}

class AlarmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_world = &world_;
    previousClock_ = SetClockFunction(FakeClock);
    previousSound_ = SetSoundFunction(RecordSound);
    g_menusOpened = 0;
    g_memoCommands.clear();
  }
  void TearDown() override {
    world_.watchers.clear();
    if (main_ && g_mainProc != nullptr) {
      SetWindowLongPtrA(main_->window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_mainProc));
    }
    g_mainProc = nullptr;
    main_.reset();
    SetClockFunction(previousClock_);
    SetSoundFunction(previousSound_);
    g_world = nullptr;
  }

  // The main window on a settings file; the tests run the check themselves, so the alarm
  // timer is stopped.
  void Open(const std::string& ini) {
    main_.reset();
    main_ = std::make_unique<test::MainWindowFixture>(ini.c_str());
    ASSERT_TRUE(main_->Alive());
    KillTimer(main_->window(), TIMER_ALARM);
    world_.main = main_->window();
    for (int i = 0; i < memoCount(); ++i) UpdateWindow(memo(i));
  }
  HWND main() const { return main_->window(); }
  SettingsRecord* record() const { return GetSettingsRecord(main()); }
  HWND memo(int i) const { return record()->memos[i]; }
  int memoCount() const { return record()->memoCount; }

  void WatchMainMenus() {
    g_mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(main(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchMenus)));
  }
  void RecordCommandsOf(HWND memo) {
    g_memoProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordMemoCommands)));
  }

  // One tick of the alarm timer, as the system delivers it; the answers' watchers are joined.
  void Tick() {
    main_->Send(WM_TIMER, TIMER_ALARM);
    for (auto& watcher : world_.watchers) EXPECT_TRUE(watcher->Wait()) << "every ring shows a dialog";
  }
  // A tick during which no dialog may appear.
  bool TickShowsADialog() {
    std::atomic<bool> seen{false};
    {
      ModalWatcher stray([&](const SeenWindow& s) {
        seen = true;
        test::PressButton(s, IDOK);
      });
      main_->Send(WM_TIMER, TIMER_ALARM);
    }
    return seen;
  }

  AlarmWorld world_;
  std::unique_ptr<test::MainWindowFixture> main_;
  ClockFunction previousClock_ = nullptr;
  SoundFunction previousSound_ = nullptr;
};

TEST_F(AlarmTest, RingsFromTheFirstCheckInItsMinuteAndNotBefore) {
  // Stored as the unsigned packed value, which no longer fits a signed one.
  Open("[Pinlark]\r\nMemoPos0=600 100 120 30\r\nMemoAlarm0=1\r\nMemoAlarmTime0=2912080905\r\nMemo0=alarm\r\n");
  ASSERT_EQ(static_cast<uint32_t>(GetMemoField(memo(0), kMemoAlarmTime)), 2912080905u);
  struct Case {
    AlarmFields alarm;
    SYSTEMTIME now;
    bool rings;
  };
  const Case cases[] = {
      {{2026, 12, 8, 9, 5}, At(2026, 12, 8, 9, 4, 59), false},  // as loaded
      {{2026, 12, 8, 9, 5}, At(2026, 12, 8, 9, 5, 0), true},
      {{2003, 6, 15, 12, 30}, At(2003, 6, 15, 12, 29, 59), false},
      {{2003, 6, 15, 12, 30}, At(2003, 6, 15, 12, 30, 0), true},
      {{2003, 12, 31, 23, 59}, At(2003, 12, 1, 23, 59, 59), false},
      {{2003, 12, 31, 23, 59}, At(2004, 1, 1, 0, 0, 0), true},
      {{1998, 1, 2, 3, 4}, At(2003, 6, 15, 12, 0, 0), true},  // long past: at the first check
  };
  for (const Case& c : cases) {
    const AlarmFields& a = c.alarm;
    SCOPED_TRACE(testing::Message() << a.year << "-" << a.month << "-" << a.day << " " << a.hour << ":" << a.minute
                                    << " at " << c.now.wYear << "-" << c.now.wMonth << "-" << c.now.wDay << " "
                                    << c.now.wHour << ":" << c.now.wMinute << ":" << c.now.wSecond);
    SetMemoField(memo(0), kMemoAlarm, 1);
    SetMemoField(memo(0), kMemoAlarmTime, static_cast<int32_t>(PackAlarmTime(a)));
    world_.now = c.now;
    world_.rings.clear();
    if (c.rings) {
      Tick();
      EXPECT_EQ(world_.rings.size(), 1u);
      EXPECT_EQ(GetMemoField(memo(0), kMemoAlarm), 0);
    } else {
      EXPECT_FALSE(TickShowsADialog());
      EXPECT_TRUE(world_.rings.empty());
      EXPECT_EQ(GetMemoField(memo(0), kMemoAlarm), 1);
    }
    world_.watchers.clear();
  }
}

TEST_F(AlarmTest, TheDialogAsksWhileEverythingElseIsDisabledAndIgnored) {
  Open(IniWith({{"quiet", 600, 200, 0, {2003, 1, 1, 0, 0}}, {"alarm", 600, 100, 1, {2003, 6, 15, 12, 30}}}));
  world_.now = At(2003, 6, 15, 12, 30);
  WatchMainMenus();
  struct During {
    int accept = -1;
    HWND blinking = nullptr;
    bool mainEnabled = true;
    bool memoEnabled[2] = {true, true};
    bool topmost = false;
    LRESULT queryEnd = -1;
    bool sent = false;
  } during;
  HWND mainWindow = main();
  const HWND memos[2] = {memo(0), memo(1)};
  world_.answers.push_back([&](const SeenWindow& s) {
    during.accept = GetSetting(mainWindow, kSetAcceptCommands);
    during.blinking = GetSettingsRecord(mainWindow)->blinkingMemo;
    during.mainEnabled = IsWindowEnabled(mainWindow) != FALSE;
    for (int i = 0; i < 2; ++i) during.memoEnabled[i] = IsWindowEnabled(memos[i]) != FALSE;
    during.topmost = (GetWindowLongA(s.window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    // What the user and the system may send meanwhile.
    DWORD_PTR result = 0;
    bool sent = true;
    auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
      sent = SendMessageTimeoutA(mainWindow, message, wParam, lParam, SMTO_NORMAL, 10000, &result) != 0 && sent;
    };
    send(WM_CLOSE, 0, 0);
    send(WM_COMMAND, IDM_HIDE, 0);
    send(WM_TRAY_CALLBACK, 0, WM_RBUTTONDOWN);
    send(WM_KEYDOWN, VK_TAB, 0);
    send(WM_QUERYENDSESSION, 0, 0);
    during.queryEnd = static_cast<LRESULT>(result);
    during.sent = sent;
    test::PressButton(s, IDOK);
  });
  Tick();

  ASSERT_EQ(world_.watchers.size(), 1u);
  const SeenWindow& seen = world_.watchers[0]->seen();
  EXPECT_EQ(seen.title, "Pinlark");
  EXPECT_EQ(seen.staticText, "指定された時間になりました");
  EXPECT_EQ(seen.focusId, IDC_ALARM_OFF);
  EXPECT_TRUE(during.topmost);
  const int width = seen.rect.right - seen.rect.left;
  const int height = seen.rect.bottom - seen.rect.top;
  EXPECT_EQ(seen.rect.left, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2);
  EXPECT_EQ(seen.rect.top, GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2);

  EXPECT_EQ(during.accept, 0);
  EXPECT_EQ(during.blinking, memos[1]);
  EXPECT_FALSE(during.mainEnabled);
  EXPECT_FALSE(during.memoEnabled[0]) << "every memo, not only the ringing one";
  EXPECT_FALSE(during.memoEnabled[1]);
  ASSERT_TRUE(during.sent);
  EXPECT_EQ(during.queryEnd, 0) << "shutdown is refused while a memo blinks";
  EXPECT_TRUE(main_->Alive()) << "WM_CLOSE ignored";
  EXPECT_EQ(record()->app.hide, 0) << "the hide command ignored";
  EXPECT_TRUE(IsWindowVisible(memos[0]));
  EXPECT_EQ(g_menusOpened, 0) << "neither the tray click nor Tab opened the menu";

  // Afterwards: disarmed, everything usable again, the blink timer gone.
  EXPECT_EQ(GetMemoField(memos[1], kMemoAlarm), 0);
  EXPECT_EQ(static_cast<uint32_t>(GetMemoField(memos[1], kMemoAlarmTime)), 606151230u) << "2003/06/15 12:30";
  EXPECT_EQ(GetSetting(main(), kSetAcceptCommands), 1);
  EXPECT_EQ(record()->blinkingMemo, nullptr);
  EXPECT_TRUE(IsWindowEnabled(main()));
  EXPECT_TRUE(IsWindowEnabled(memos[0]));
  EXPECT_TRUE(IsWindowEnabled(memos[1]));
  EXPECT_FALSE(KillTimer(main(), TIMER_BLINK)) << "the blink timer was already stopped";
  EXPECT_FALSE(record()->alarmCheckRunning);
}

TEST_F(AlarmTest, EveryWayOfClosingAppliesTheCheckedChoiceByPostingItToTheMemo) {
  struct Case {
    const char* what;
    int choice;  // 0: leave the first choice checked
    Answer close;
    int command;  // 0: nothing posted
  };
  const Answer ok = [](const SeenWindow& s) { test::PressButton(s, IDOK); };
  const Answer enter = [](const SeenWindow& s) { test::PressKey(s, VK_RETURN); };
  const Answer esc = [](const SeenWindow& s) { test::PressKey(s, VK_ESCAPE); };
  const Answer closeBox = [](const SeenWindow& s) { PostMessageA(s.window, WM_SYSCOMMAND, SC_CLOSE, 0); };
  const Case cases[] = {
      {"OK, alarm off", 0, ok, 0},
      {"Esc, alarm off", 0, esc, 0},
      {"OK, edit", IDC_ALARM_EDIT, ok, IDM_EDIT_MEMO},
      {"Enter, edit", IDC_ALARM_EDIT, enter, IDM_EDIT_MEMO},
      {"OK, delete", IDC_ALARM_DELETE, ok, IDM_DELETE_MEMO},
      {"Esc, delete", IDC_ALARM_DELETE, esc, IDM_DELETE_MEMO},
      {"close box, delete", IDC_ALARM_DELETE, closeBox, IDM_DELETE_MEMO},
      {"delete, then back to alarm off", IDC_ALARM_DELETE, [](const SeenWindow& s) {
         Choose(s, IDC_ALARM_OFF);
         test::PressButton(s, IDOK);
       }, 0},
  };
  Open(IniWith({{"alarm", 600, 100, 0, {2003, 6, 15, 12, 30}}}));
  world_.now = At(2003, 6, 15, 12, 30);
  HWND target = memo(0);
  RecordCommandsOf(target);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetMemoField(target, kMemoAlarm, 1);
    g_memoCommands.clear();
    world_.answers.push_back([&c](const SeenWindow& s) {
      if (c.choice != 0) Choose(s, c.choice);
      c.close(s);
    });
    Tick();
    EXPECT_EQ(GetMemoField(target, kMemoAlarm), 0);
    EXPECT_TRUE(g_memoCommands.empty()) << "posted, not sent: nothing runs inside the check";
    Pump();
    if (c.command == 0) {
      EXPECT_TRUE(g_memoCommands.empty());
    } else {
      EXPECT_EQ(g_memoCommands, (std::vector<MemoCommand>{{target, c.command}}));
    }
    world_.watchers.clear();
  }
}

TEST_F(AlarmTest, TheMemoIsRepaintedInItsOwnColoursAfterwards) {
  Open(IniWith({{"", 600, 100, 1, {2003, 6, 15, 12, 30}}}));
  world_.now = At(2003, 6, 15, 12, 30);
  HWND target = memo(0);
  HWND mainWindow = main();
  RECT update;
  ASSERT_FALSE(GetUpdateRect(target, &update, FALSE));
  const COLORREF before = [&] {
    HDC dc = GetDC(target);
    const COLORREF c = GetPixel(dc, 60, 15);
    ReleaseDC(target, dc);
    return c;
  }();
  world_.answers.push_back([mainWindow](const SeenWindow& s) {
    DWORD_PTR result;
    SendMessageTimeoutA(mainWindow, WM_TIMER, TIMER_BLINK, 0, SMTO_NORMAL, 10000, &result);  // inverted now
    test::PressButton(s, IDOK);
  });
  Tick();
  ASSERT_TRUE(GetUpdateRect(target, &update, FALSE));
  EXPECT_EQ(update.right - update.left, 120);
  EXPECT_EQ(update.bottom - update.top, 30);
  UpdateWindow(target);
  HDC dc = GetDC(target);
  EXPECT_EQ(GetPixel(dc, 60, 15), before);
  ReleaseDC(target, dc);
}

TEST_F(AlarmTest, TwoDueMemosRingOneAfterTheOtherInListOrderInOnePass) {
  Open(IniWith({{"late but first", 600, 100, 1, {2026, 12, 8, 9, 5}},
                {"unarmed", 600, 140, 0, {1998, 1, 1, 0, 0}},
                {"early but second", 600, 180, 1, {2003, 12, 31, 23, 59}},
                {"not yet", 600, 220, 1, {2026, 12, 8, 9, 6}}}));
  world_.now = At(2026, 12, 8, 9, 5, 30);
  const HWND m[4] = {memo(0), memo(1), memo(2), memo(3)};
  for (HWND w : m) RecordCommandsOf(w);
  world_.answers.push_back([](const SeenWindow& s) {
    Choose(s, IDC_ALARM_EDIT);
    test::PressButton(s, IDOK);
  });
  world_.answers.push_back([](const SeenWindow& s) { test::PressButton(s, IDOK); });
  Tick();

  ASSERT_EQ(world_.rings.size(), 2u);
  EXPECT_EQ(world_.rings[0].blinking, m[0]);
  EXPECT_EQ(world_.rings[1].blinking, m[2]);
  ASSERT_EQ(world_.watchers.size(), 2u);
  EXPECT_NE(world_.watchers[0]->seen().window, world_.watchers[1]->seen().window) << "a dialog each";
  for (int i : {0, 2}) EXPECT_EQ(GetMemoField(m[i], kMemoAlarm), 0) << i;
  EXPECT_EQ(GetMemoField(m[3], kMemoAlarm), 1);
  // The first memo's edit command was posted before the second dialog, whose loop ran it.
  EXPECT_EQ(g_memoCommands, (std::vector<MemoCommand>{{m[0], IDM_EDIT_MEMO}}));
}

TEST_F(AlarmTest, ATickWhileTheDialogIsOpenOpensNoSecondOne) {
  Open(IniWith({{"alarm", 600, 100, 1, {2003, 6, 15, 12, 30}}}));
  world_.now = At(2003, 6, 15, 12, 31);
  HWND mainWindow = main();
  world_.answers.push_back([mainWindow](const SeenWindow& s) {
    DWORD_PTR result;
    if (!SendMessageTimeoutA(mainWindow, WM_TIMER, TIMER_ALARM, 0, SMTO_NORMAL, 5000, &result)) {
      CloseOtherDialogs(s.window);  // a second dialog holds the tick: fail on the count, not by hanging
    }
    test::PressButton(s, IDOK);
  });
  Tick();
  EXPECT_EQ(world_.rings.size(), 1u) << "the memo was still armed during the dialog, yet did not ring again";

  // The check is free again afterwards.
  world_.watchers.clear();
  SetMemoField(memo(0), kMemoAlarm, 1);
  Tick();
  EXPECT_EQ(world_.rings.size(), 2u);
}

TEST_F(AlarmTest, OtherTimersDoNotRunTheCheck) {
  Open(IniWith({{"alarm", 600, 100, 1, {2003, 6, 15, 12, 30}}}));
  world_.now = At(2003, 6, 15, 12, 30);
  std::atomic<bool> seen{false};
  {
    ModalWatcher stray([&](const SeenWindow& s) {
      seen = true;
      test::PressButton(s, IDOK);
    });
    main_->Send(WM_TIMER, 999);
    main_->Send(WM_TIMER, TIMER_BLINK);
  }
  EXPECT_FALSE(seen);
  EXPECT_EQ(GetMemoField(memo(0), kMemoAlarm), 1);
}

TEST_F(AlarmTest, TheSoundIsTheBeepWithoutAFileAndTheFileWithOne) {
  Open(IniWith({{"alarm", 600, 100, 1, {2003, 6, 15, 12, 30}}}));
  world_.now = At(2003, 6, 15, 12, 30);
  Tick();
  Open(IniWith({{"alarm", 600, 100, 1, {2003, 6, 15, 12, 30}}}, "AlarmFname=C:\\sounds\\ring.wav\r\n"));
  Tick();
  ASSERT_EQ(world_.rings.size(), 2u);
  EXPECT_EQ(world_.rings[0].sound, "") << "empty: the exclamation beep";
  EXPECT_EQ(world_.rings[1].sound, "C:\\sounds\\ring.wav");
  EXPECT_NE(world_.rings[1].blinking, nullptr) << "the memo blinks before the sound";
}

// Needs the memo window's delete command: the memo goes into the trash.
TEST_F(AlarmTest, EscWithDeleteCheckedPutsTheMemoIntoTheTrash) {
  Open(IniWith({{"first", 600, 100, 1, {2003, 6, 15, 12, 30}}, {"second", 600, 140, 1, {2003, 6, 15, 12, 30}}}));
  world_.now = At(2003, 6, 15, 12, 30);
  HWND first = memo(0);
  HWND second = memo(1);
  world_.answers.push_back([](const SeenWindow& s) {
    Choose(s, IDC_ALARM_DELETE);
    test::PressKey(s, VK_ESCAPE);
  });
  world_.answers.push_back([](const SeenWindow& s) { test::PressButton(s, IDOK); });
  Tick();
  Pump();
  ASSERT_EQ(world_.rings.size(), 2u);
  EXPECT_EQ(memoCount(), 1);
  EXPECT_EQ(memo(0), second);
  ASSERT_GE(record()->trashCount, 1);
  EXPECT_EQ(record()->trash[0], first);
  // The delete ran inside the second dialog, while every memo was disabled.
  EXPECT_TRUE(IsWindowEnabled(first)) << "it would come back from the trash unusable";
}

// Blinking on its own, as other questions about a memo use it.
class BlinkTest : public AlarmTest {
 protected:
  void SetUp() override {
    AlarmTest::SetUp();
    Open(IniWith({{"", 600, 100, 0, {2003, 1, 1, 0, 0}}, {"", 600, 140, 0, {2003, 1, 1, 0, 0}}}));
  }
  // The client area of the memo, as colours 0x00BBGGRR.
  std::vector<COLORREF> Pixels(HWND memo) const {
    RECT client;
    GetClientRect(memo, &client);
    std::vector<COLORREF> colors;
    HDC dc = GetDC(memo);
    for (int y = 0; y < client.bottom; y += 3) {
      for (int x = 0; x < client.right; x += 3) colors.push_back(GetPixel(dc, x, y));
    }
    ReleaseDC(memo, dc);
    return colors;
  }
  static std::vector<COLORREF> Inverted(std::vector<COLORREF> colors) {
    for (COLORREF& c : colors) c ^= 0x00FFFFFF;
    return colors;
  }
};

TEST_F(BlinkTest, StartingDisablesEverythingAndStoppingGivesItAllBack) {
  HWND blinking = memo(1);
  StartBlinking(main(), blinking);
  EXPECT_EQ(record()->blinkingMemo, blinking);
  EXPECT_EQ(GetSetting(main(), kSetAcceptCommands), 0);
  EXPECT_FALSE(IsWindowEnabled(main()));
  EXPECT_FALSE(IsWindowEnabled(memo(0)));
  EXPECT_FALSE(IsWindowEnabled(memo(1)));
  EXPECT_TRUE(KillTimer(main(), TIMER_BLINK)) << "the blink timer runs";

  StartBlinking(main(), blinking);
  StopBlinking(main());
  EXPECT_EQ(record()->blinkingMemo, nullptr);
  EXPECT_EQ(GetSetting(main(), kSetAcceptCommands), 1);
  EXPECT_TRUE(IsWindowEnabled(main()));
  EXPECT_TRUE(IsWindowEnabled(memo(0)));
  EXPECT_TRUE(IsWindowEnabled(memo(1)));
  EXPECT_FALSE(KillTimer(main(), TIMER_BLINK));
  RECT update;
  EXPECT_TRUE(GetUpdateRect(blinking, &update, FALSE)) << "repainted in its own colours";
  EXPECT_FALSE(GetUpdateRect(memo(0), &update, FALSE)) << "the other memos are left alone";
}

TEST_F(BlinkTest, EachTickInvertsTheBlinkingMemoAndNothingElse) {
  HWND blinking = memo(0);
  const std::vector<COLORREF> normal = Pixels(blinking);
  const std::vector<COLORREF> other = Pixels(memo(1));
  ASSERT_FALSE(normal.empty());

  main_->Send(WM_TIMER, TIMER_BLINK);
  EXPECT_EQ(Pixels(blinking), normal) << "no blinking memo: the tick does nothing";

  StartBlinking(main(), blinking);
  main_->Send(WM_TIMER, TIMER_BLINK);
  EXPECT_EQ(Pixels(blinking), Inverted(normal));
  EXPECT_EQ(Pixels(memo(1)), other);
  BlinkTick(main());
  EXPECT_EQ(Pixels(blinking), normal);
  BlinkTick(main());
  StopBlinking(main());
  UpdateWindow(blinking);
  EXPECT_EQ(Pixels(blinking), normal) << "stopping on an inverted memo repaints it";
}

}  // namespace
}  // namespace pinlark
