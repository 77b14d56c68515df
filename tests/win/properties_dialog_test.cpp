// The properties dialog, worked from a second thread while it runs modally.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/common_controls.h"
#include "app/help.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "edit/palette.h"
#include "props/play_button.h"
#include "props/properties_dialog.h"
#include "props/properties_rules.h"
#include "res/resource_ids.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

constexpr int kBoxes[] = {IDC_PROP_CRMODE, IDC_PROP_3DMODE, IDC_PROP_AUTOARRANGE,
                          IDC_PROP_ACCELCLOSE, IDC_PROP_ABBANDCONF, IDC_PROP_IMEOPEN};
constexpr int32_t AppSettings::*kBoxFields[] = {&AppSettings::crMode, &AppSettings::threeDMode,
                                                &AppSettings::autoArrange, &AppSettings::accelClose,
                                                &AppSettings::abbandConf, &AppSettings::imeOpen};

std::string Text(HWND dialog, int id) { return test::ItemText(dialog, id); }

bool ApplyEnabled(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDC_PROP_APPLY)) != FALSE; }
void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }
DWORD ThreadOf(HWND window) { return GetWindowThreadProcessId(window, nullptr); }

// Everything the dialog can change, to compare at once.
auto Tie(const AppSettings& s) {
  return std::make_tuple(s.minColumn, s.cxMergin, s.cyMergin, s.cyInterval, s.defaultColor, s.crMode, s.threeDMode,
                         s.autoArrange, s.accelClose, s.abbandConf, s.imeOpen, s.alarmFname);
}
AppSettings& SettingsOf(HWND mainWindow) { return GetSettingsRecord(mainWindow)->app; }

// Sends a command and expects it handled without a box coming up (a box would hold the send);
// a box that came up anyway is answered so the test goes on.
bool CommandWithoutBox(HWND dialog, WPARAM command) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutA(dialog, WM_COMMAND, command, 0, SMTO_NORMAL, 5000, &result) != 0) return true;
  test::ModalWatcher box([](const test::SeenWindow& s) { test::PressButton(s, IDOK); }, "#32770", ThreadOf(dialog),
                         dialog);
  box.Wait();
  return false;
}

// Posts a command that brings up a window of the dialog's thread and lets `answer` close it.
test::SeenWindow CommandWithWindow(HWND dialog, WPARAM command,
                                   std::function<void(const test::SeenWindow&)> answer =
                                       [](const test::SeenWindow& s) { test::PressButton(s, IDOK); }) {
  test::ModalWatcher watcher(std::move(answer), "#32770", ThreadOf(dialog), dialog);
  PostMessageA(dialog, WM_COMMAND, command, 0);
  EXPECT_TRUE(watcher.Wait()) << "a window for command " << command;
  // The next watcher must not find this one on its way out.
  test::WaitFor([&] { return !IsWindow(watcher.seen().window); });
  return watcher.seen();
}

// Opens the dialog and runs `work` on it from the watcher thread; `work` must close it.
test::SeenWindow RunDialog(HWND mainWindow, const std::function<void(HWND)>& work) {
  test::ModalWatcher watcher([&](const test::SeenWindow& s) { work(s.window); });
  OpenPropertiesDialog(mainWindow);
  EXPECT_TRUE(watcher.Wait());
  return watcher.seen();
}

// Start-up no longer loads the common controls: the dialogs that hold up-down controls do.
TEST(PropertiesDialog, LoadingTheUpDownControlsRegistersTheirClass) {
  LoadUpDownControls();
  WNDCLASSEXA info = {};
  info.cbSize = sizeof info;
  EXPECT_NE(GetClassInfoExA(nullptr, UPDOWN_CLASSA, &info), FALSE);
}

TEST(PropertiesDialog, OpensWithTheSettingsOffersApplyOnWordFromTheNumberFieldsAndCancelKeepsNothing) {
  test::MainWindowFixture main(
      "[Pinlark]\r\nMinColumn=33\r\ncxMergin=450\r\ncyMergin=0\r\ncyInterval=-7\r\nDefaultColor=c0c0c0\r\n"
      "CRMode=1\r\n3DMode=0\r\nAutoArrange=1\r\nAccelClose=0\r\nAbbandConf=1\r\nIMEOpen=0\r\n"
      "AlarmFname=C:\\sounds\\bell.wav\r\n");
  const auto before = Tie(SettingsOf(main.window()));
  std::string shown;
  bool offeredAtOpen = false, offeredByOthers = true, offeredByTyping = false;
  const test::SeenWindow seen = RunDialog(main.window(), [&](HWND dialog) {
    EXPECT_EQ(GetSetting(main.window(), kSetPropertiesDialog), reinterpret_cast<intptr_t>(dialog));
    for (int id : {IDC_PROP_MINCOLUMN, IDC_PROP_CXMERGIN, IDC_PROP_CYMERGIN, IDC_PROP_INTERVAL, IDC_PROP_SOUND}) {
      shown += Text(dialog, id) + "|";
    }
    shown += std::to_string(SendDlgItemMessageA(dialog, IDC_PROP_COLOR, CB_GETCURSEL, 0, 0)) + "|";
    for (int id : kBoxes) shown += IsDlgButtonChecked(dialog, id) == BST_CHECKED ? "1" : "0";
    for (const auto& [spin, lower, upper] : {std::tuple{IDC_PROP_MINCOLUMN_SPIN, 10, 100},
                                             std::tuple{IDC_PROP_CXMERGIN_SPIN, 0, 500},
                                             std::tuple{IDC_PROP_CYMERGIN_SPIN, 0, 500},
                                             std::tuple{IDC_PROP_INTERVAL_SPIN, -10, 100}}) {
      const LRESULT range = SendDlgItemMessageA(dialog, spin, UDM_GETRANGE, 0, 0);
      EXPECT_EQ(static_cast<short>(HIWORD(range)), lower) << "spin " << spin;
      EXPECT_EQ(static_cast<short>(LOWORD(range)), upper) << "spin " << spin;
    }
    offeredAtOpen = ApplyEnabled(dialog);  // by the focus put on the minimum width field
    EnableWindow(GetDlgItem(dialog, IDC_PROP_APPLY), FALSE);
    // Word from the other boxes, the colour and the sound file does not offer "更新" (a real
    // click would, through the minimum width field losing the focus).
    for (const auto& [id, code] : {std::pair{IDC_PROP_IMEOPEN, BN_CLICKED}, std::pair{IDC_PROP_3DMODE, BN_CLICKED},
                                   std::pair{IDC_PROP_ACCELCLOSE, BN_CLICKED}, std::pair{IDC_PROP_AUTOARRANGE, BN_CLICKED},
                                   std::pair{IDC_PROP_ABBANDCONF, BN_CLICKED}, std::pair{IDC_PROP_COLOR, CBN_SELCHANGE},
                                   std::pair{IDC_PROP_SOUND, EN_CHANGE}}) {
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    offeredByOthers = ApplyEnabled(dialog);
    SendDlgItemMessageA(dialog, IDC_PROP_MINCOLUMN, WM_CHAR, '4', 0);
    offeredByTyping = ApplyEnabled(dialog);

    SetDlgItemTextA(dialog, IDC_PROP_INTERVAL, "20");
    SetDlgItemTextA(dialog, IDC_PROP_SOUND, "x.wav");
    SendDlgItemMessageA(dialog, IDC_PROP_COLOR, CB_SETCURSEL, 10, 0);
    for (int id : kBoxes) Click(dialog, id);
    test::PressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(seen.title, "Pinlarkのプロパティ");
  EXPECT_EQ(shown, "33|450|0|-7|C:\\sounds\\bell.wav|9|101010");
  EXPECT_EQ(seen.focusId, IDC_PROP_MINCOLUMN);
  EXPECT_NEAR((seen.rect.left + seen.rect.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((seen.rect.top + seen.rect.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  EXPECT_TRUE(offeredAtOpen);
  EXPECT_FALSE(offeredByOthers);
  EXPECT_TRUE(offeredByTyping);
  EXPECT_EQ(GetSetting(main.window(), kSetPropertiesDialog), 0);
  EXPECT_EQ(Tie(SettingsOf(main.window())), before) << "ｷｬﾝｾﾙ applies nothing";
}

TEST(PropertiesDialog, AMinColumnOutsideTenToAHundredIsRefusedWithNothingStored) {
  test::MainWindowFixture main("[Pinlark]\r\n");
  const AppSettings& s = SettingsOf(main.window());
  const auto before = Tie(s);
  std::vector<test::SeenWindow> boxes;
  bool openAfterRefusals = false;
  RunDialog(main.window(), [&](HWND dialog) {
    Click(dialog, IDC_PROP_3DMODE);
    SetDlgItemTextA(dialog, IDC_PROP_CXMERGIN, "77");
    for (const char* refused : {"9", "101", "", "abc", "-50"}) {
      SetDlgItemTextA(dialog, IDC_PROP_MINCOLUMN, refused);
      boxes.push_back(CommandWithWindow(dialog, IDOK));
      boxes.push_back(CommandWithWindow(dialog, IDC_PROP_APPLY));
    }
    openAfterRefusals = IsWindowVisible(dialog) != FALSE;
    EXPECT_EQ(Tie(s), before) << "nothing stored while refused";
    SetDlgItemTextA(dialog, IDC_PROP_MINCOLUMN, "10");
    EXPECT_TRUE(CommandWithoutBox(dialog, IDOK));
  });
  ASSERT_EQ(boxes.size(), 10u);
  for (const test::SeenWindow& box : boxes) {
    EXPECT_EQ(box.staticText, text::kMinColumnRange);
    EXPECT_EQ(box.title, text::kAppName);
  }
  EXPECT_TRUE(openAfterRefusals);
  EXPECT_EQ(s.minColumn, 10);
  EXPECT_EQ(s.threeDMode, 1);
  EXPECT_EQ(s.cxMergin, 77);

  RunDialog(main.window(), [&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_PROP_MINCOLUMN, "100");
    EXPECT_TRUE(CommandWithoutBox(dialog, IDOK));
  });
  EXPECT_EQ(s.minColumn, 100);
}

TEST(PropertiesDialog, MarginsAndIntervalOutsideTheirBoundsAreRefusedWithTheRangeAndNonNumbersKeepTheOldValue) {
  test::MainWindowFixture main("[Pinlark]\r\ncxMergin=10\r\ncyMergin=20\r\ncyInterval=10\r\n");
  const AppSettings& s = SettingsOf(main.window());
  const auto before = Tie(s);
  HWND shown = nullptr;
  std::vector<std::string> refusals;
  RunDialog(main.window(), [&](HWND dialog) {
    shown = dialog;
    Click(dialog, IDC_PROP_3DMODE);
    for (const auto& [id, typed] : {std::pair{IDC_PROP_CXMERGIN, "501"}, std::pair{IDC_PROP_CYMERGIN, "501"},
                                    std::pair{IDC_PROP_INTERVAL, "-11"}, std::pair{IDC_PROP_INTERVAL, "101"}}) {
      const std::string kept = Text(dialog, id);
      SetDlgItemTextA(dialog, id, typed);
      refusals.push_back(CommandWithWindow(dialog, IDOK).staticText);
      SetDlgItemTextA(dialog, id, kept.c_str());
    }
    EXPECT_EQ(Tie(s), before) << "nothing stored while refused";
    SetDlgItemTextA(dialog, IDC_PROP_INTERVAL, "-10");
    SetDlgItemTextA(dialog, IDC_PROP_CXMERGIN, "500");
    EXPECT_TRUE(CommandWithoutBox(dialog, IDC_PROP_APPLY));
    EXPECT_EQ(s.cyInterval, -10);
    EXPECT_EQ(s.cxMergin, 500);
    SetDlgItemTextA(dialog, IDC_PROP_CXMERGIN, "-5");
    SetDlgItemTextA(dialog, IDC_PROP_CYMERGIN, "12px");
    EXPECT_TRUE(CommandWithoutBox(dialog, IDOK));
  });
  EXPECT_EQ(refusals, (std::vector<std::string>{"右余白を0～500に指定してください", "上余白を0～500に指定してください",
                                                "間隔を-10～100に指定してください", "間隔を-10～100に指定してください"}));
  EXPECT_FALSE(IsWindow(shown)) << "the interval converted, so OK closed the dialog";
  EXPECT_EQ(s.cxMergin, 500) << "-5 is no unsigned number";
  EXPECT_EQ(s.cyMergin, 20);
}

TEST(PropertiesDialog, AnIntervalThatIsNoNumberKeepsTheDialogOpenSilentlyWithTheSoundAndLayoutUntouched) {
  test::MainWindowFixture main(
      "[Pinlark]\r\nMinColumn=10\r\nAlarmFname=old.wav\r\nMove=1\r\nMemoPos0=600 100 120 30\r\nMemo0=a\r\n");
  const SettingsRecord* r = GetSettingsRecord(main.window());
  RECT memoBefore, memoAfter;
  GetWindowRect(r->memos[0], &memoBefore);
  bool stillOpen = false;
  RunDialog(main.window(), [&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_PROP_MINCOLUMN, "50");
    SetDlgItemTextA(dialog, IDC_PROP_CXMERGIN, "30");
    SetDlgItemTextA(dialog, IDC_PROP_SOUND, "new.wav");
    Click(dialog, IDC_PROP_3DMODE);
    SetDlgItemTextA(dialog, IDC_PROP_INTERVAL, "ten");
    EXPECT_TRUE(CommandWithoutBox(dialog, IDOK)) << "no message";
    stillOpen = IsWindowVisible(dialog) != FALSE;
    test::PressButton(dialog, IDCANCEL);
  });
  GetWindowRect(r->memos[0], &memoAfter);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(std::make_tuple(r->app.minColumn, r->app.cxMergin, r->app.threeDMode, r->app.cyInterval),
            std::make_tuple(50, 30, 1, 10));
  EXPECT_EQ(r->app.alarmFname, "old.wav");
  EXPECT_EQ(memoAfter.right - memoAfter.left, memoBefore.right - memoBefore.left) << "no re-layout";
}

TEST(PropertiesDialog, ApplyKeepsTheDialogOpenAndLaysTheMemosOutAtOnce) {
  test::MainWindowFixture main("[Pinlark]\r\nMinColumn=10\r\nMove=0\r\nMemoPos0=600 100 120 30\r\nMemo0=a\r\n");
  HWND memo = GetSettingsRecord(main.window())->memos[0];
  RECT narrow{}, wide{};
  bool openAfterApply = false, stillOffered = false;
  RunDialog(main.window(), [&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_PROP_CXMERGIN, "30");
    EXPECT_TRUE(CommandWithoutBox(dialog, IDC_PROP_APPLY));
    GetWindowRect(memo, &narrow);
    SetDlgItemTextA(dialog, IDC_PROP_MINCOLUMN, "60");
    EXPECT_TRUE(CommandWithoutBox(dialog, IDC_PROP_APPLY));
    GetWindowRect(memo, &wide);
    openAfterApply = IsWindowVisible(dialog) != FALSE;
    stillOffered = ApplyEnabled(dialog);
    test::PressButton(dialog, IDCANCEL);
  });
  EXPECT_TRUE(openAfterApply);
  EXPECT_TRUE(stillOffered);
  // Nothing was moved by hand since the last arrange, so the re-layout arranged with the new margin.
  EXPECT_EQ(narrow.right, GetSystemMetrics(SM_CXSCREEN) - 30);
  EXPECT_EQ(wide.right, narrow.right);
  EXPECT_GT(wide.right - wide.left, 3 * (narrow.right - narrow.left)) << "the memo follows the wider MinColumn";
  EXPECT_EQ(SettingsOf(main.window()).minColumn, 60) << "ｷｬﾝｾﾙ does not take back what 更新 applied";
}

TEST(PropertiesDialog, OkAppliesAColourOrASingleCheckBoxAlone) {
  test::MainWindowFixture main("[Pinlark]\r\n");
  AppSettings& s = SettingsOf(main.window());
  for (int i = 0; i < 6; ++i) {
    AppSettings expected = s;
    expected.*kBoxFields[i] = 1 - expected.*kBoxFields[i];
    RunDialog(main.window(), [&](HWND dialog) {
      Click(dialog, kBoxes[i]);
      EXPECT_TRUE(CommandWithoutBox(dialog, IDOK));
    });
    EXPECT_EQ(Tie(s), Tie(expected)) << "box " << kBoxes[i];
  }
  RunDialog(main.window(), [](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_PROP_COLOR, CB_SETCURSEL, 5, 0);
    EXPECT_TRUE(CommandWithoutBox(dialog, IDOK));
  });
  EXPECT_EQ(s.defaultColor, 0x00FF8080) << "the sixth colour of the list";
}

TEST(PropertiesDialog, ASecondOpenCommandFocusesTheOpenDialog) {
  test::MainWindowFixture main("[Pinlark]\r\n");
  // A window of the dialog's thread to take the focus away from it.
  HWND elsewhere = CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  bool focusAway = false, focusBack = false, noOther = false;
  RunDialog(main.window(), [&](HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    SetForegroundWindow(elsewhere);
    for (int i = 0; i < 50 && GetGUIThreadInfo(ThreadOf(dialog), &info) && info.hwndFocus != elsewhere; ++i) Sleep(20);
    focusAway = info.hwndFocus == elsewhere;
    DWORD_PTR result = 0;
    // A second modal dialog would hold the send.
    EXPECT_NE(SendMessageTimeoutA(main.window(), WM_COMMAND, IDM_PROPERTIES, 0, SMTO_NORMAL, 5000, &result), 0);
    GetGUIThreadInfo(ThreadOf(dialog), &info);
    focusBack = info.hwndFocus != nullptr && GetAncestor(info.hwndFocus, GA_ROOT) == dialog;
    noOther = GetSetting(main.window(), kSetPropertiesDialog) == reinterpret_cast<intptr_t>(dialog);
    test::PressButton(dialog, IDCANCEL);
  });
  EXPECT_TRUE(focusAway);
  EXPECT_TRUE(focusBack);
  EXPECT_TRUE(noOther);
  DestroyWindow(elsewhere);
}

TEST(PropertiesDialog, ClosingTheProgramWhileItIsOpenEndsBoth) {
  test::MainWindowFixture main("[Pinlark]\r\nMinColumn=33\r\n");
  RunDialog(main.window(), [&](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_PROP_MINCOLUMN, "44");
    PostMessageA(main.window(), WM_CLOSE, 0, 0);
  });
  EXPECT_FALSE(main.Alive());
  EXPECT_EQ(IniDocument::Parse(main.ReadIni()).GetInt("Pinlark", "MinColumn", 0), 33);
}

std::vector<std::string> g_calls;
bool g_playWorks = true;
bool RecordPlay(const char* file) {
  g_calls.push_back(file);
  return g_playWorks;
}

TEST(PropertiesDialog, HelpAndF1OpenThePropertiesPage) {
  test::MainWindowFixture main("[Pinlark]\r\n");
  test::ShellOpenRecorder shell;
  RunDialog(main.window(), [](HWND dialog) {
    SendMessageA(dialog, WM_COMMAND, IDC_DLG_HELP, 0);
    HELPINFO help = {};
    help.cbSize = sizeof help;
    SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    test::PressButton(dialog, IDCANCEL);
  });
  ASSERT_EQ(shell.paths().size(), 2u);
  for (const std::string& path : shell.paths()) EXPECT_NE(path.find("help\\properties.html"), std::string::npos) << path;
}

TEST(PropertiesDialog, PlayPassesTheNameAsItStandsAndSaysWhenItCannotPlay) {
  test::MainWindowFixture main("[Pinlark]\r\nAlarmFname=C:\\old.wav\r\n");
  g_calls.clear();
  const PlaySoundFunction previous = SetPlaySoundFunction(RecordPlay);
  test::SeenWindow refusal;
  RunDialog(main.window(), [&](HWND dialog) {
    g_playWorks = true;
    SetDlgItemTextA(dialog, IDC_PROP_SOUND, "C:\\My Sounds\\鐘.wav");
    EXPECT_TRUE(CommandWithoutBox(dialog, IDC_PROP_SOUND_PLAY));
    g_playWorks = false;
    SetDlgItemTextA(dialog, IDC_PROP_SOUND, "");
    refusal = CommandWithWindow(dialog, IDC_PROP_SOUND_PLAY);
    test::PressButton(dialog, IDCANCEL);
  });
  SetPlaySoundFunction(previous);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"C:\\My Sounds\\鐘.wav", ""}));
  EXPECT_EQ(refusal.staticText, text::kCannotPlay);
  EXPECT_EQ(refusal.title, text::kAppName);
  EXPECT_EQ(SettingsOf(main.window()).alarmFname, "C:\\old.wav") << "playing stores nothing";
}

TEST(PropertiesDialog, TheSoundFileIsChosenInTheOpenFileDialog) {
  test::MainWindowFixture main("[Pinlark]\r\n");
  test::TempFolder folder;
  const std::string chime = folder.File("chime.wav");
  test::WriteFileBytes(chime, "RIFF");
  constexpr int kFileNameField = 0x47c;  // the file name box of the open-file dialog
  constexpr int kFilterField = 0x470;    // its list of file types
  std::string filter, chosen, afterCancel;
  test::SeenWindow picker;
  RunDialog(main.window(), [&](HWND dialog) {
    picker = CommandWithWindow(dialog, IDC_PROP_SOUND_CHOOSE, [&](const test::SeenWindow& s) {
      filter = Text(s.window, kFilterField);
      SetDlgItemTextA(s.window, kFileNameField, chime.c_str());
      test::PressButton(s, IDOK);
    });
    chosen = Text(dialog, IDC_PROP_SOUND);
    CommandWithWindow(dialog, IDC_PROP_SOUND_CHOOSE, [](const test::SeenWindow& s) { test::PressButton(s, IDCANCEL); });
    afterCancel = Text(dialog, IDC_PROP_SOUND);
    test::PressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(picker.title, text::kSoundDialogTitle);
  EXPECT_EQ(filter, text::kSoundFilter);
  EXPECT_EQ(lstrcmpiA(chosen.c_str(), chime.c_str()), 0) << chosen;
  EXPECT_EQ(afterCancel, chosen);
}

// A small bitmap to draw the play button into, filled with a colour no drawing uses.
class Canvas : public test::Canvas {
 public:
  static constexpr COLORREF kUntouched = RGB(255, 0, 255);
  Canvas(int width, int height) : test::Canvas(width, height, kUntouched) {}
  HGDIOBJ Brush() const { return GetCurrentObject(dc(), OBJ_BRUSH); }
  DRAWITEMSTRUCT Item(UINT action, UINT state, RECT rect) const {
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = IDC_PROP_SOUND_PLAY;
    item.itemAction = action;
    item.itemState = state;
    item.hDC = dc();
    item.rcItem = rect;
    return item;
  }
};

// The play symbol at `corners`: black in its middle and at its tip, button face right of the tip.
void ExpectSymbol(const Canvas& canvas, const std::array<ScreenPoint, 3>& corners, const char* how) {
  const int middleX = (corners[0].x + corners[1].x + corners[2].x) / 3;
  const int middleY = (corners[0].y + corners[1].y + corners[2].y) / 3;
  EXPECT_EQ(canvas.At(middleX, middleY), RGB(0, 0, 0)) << how;
  EXPECT_EQ(canvas.At(corners[2].x, corners[2].y), RGB(0, 0, 0)) << how << ": the tip";
  EXPECT_EQ(canvas.At(corners[2].x + 1, corners[2].y), GetSysColor(COLOR_BTNFACE)) << how << ": right of the tip";
}

TEST(PlayButton, IsDrawnRaisedOrPressedWithItsSymbolAndPutsTheBrushBack) {
  const RECT button = {0, 0, 18, 21};
  Canvas raised(18, 21), pressed(18, 21);
  const HGDIOBJ brush = raised.Brush();
  DRAWITEMSTRUCT item = raised.Item(ODA_DRAWENTIRE, 0, button);
  DrawPlayButton(&item);
  EXPECT_EQ(raised.Brush(), brush);
  EXPECT_NE(raised.At(0, 0), Canvas::kUntouched) << "the raised edge";
  EXPECT_NE(raised.At(17, 20), Canvas::kUntouched);
  EXPECT_EQ(raised.At(2, 2), GetSysColor(COLOR_BTNFACE)) << "the face starts inside the 2-pixel edge";
  // A third in from the left and the top of the 14 x 17 face, pointing right to its middle row.
  ExpectSymbol(raised, {{{6, 6}, {6, 13}, {11, 10}}}, "raised");

  item = pressed.Item(ODA_SELECT, ODS_SELECTED, button);
  DrawPlayButton(&item);
  EXPECT_EQ(pressed.Brush(), brush);
  EXPECT_EQ(pressed.At(0, 0), RGB(0, 0, 0)) << "a frame in the current pen";
  EXPECT_EQ(pressed.At(17, 20), RGB(0, 0, 0));
  EXPECT_EQ(pressed.At(1, 1), GetSysColor(COLOR_BTNFACE)) << "a flat face inside the frame";
  ExpectSymbol(pressed, {{{7, 7}, {7, 15}, {13, 11}}}, "pressed: one pixel right and down");
}

}  // namespace
}  // namespace pinlark
