// A memo as the user works it: its menu, its toggles, deleting it, the end of a move.
#include <gtest/gtest.h>

#include <vector>

#include "app/settings_record.h"
#include "app/texts.h"
#include "memo/memo_commands.h"
#include "memo/memo_record.h"
#include "memo/memo_window.h"
#include "res/resource_ids.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

constexpr char kThreeMemos[] =
    "[Pinlark]\r\nMemoPos0=700 100 120 30\r\nMemo0=zero\r\nMemoPos1=700 200 120 30\r\nMemo1=one\r\n"
    "MemoPos2=700 300 120 30\r\nMemo2=two\r\n";

// Holds Shift down for GetKeyState of this thread while it lives.
class ShiftHeld {
 public:
  ShiftHeld() { SetShift(0x80); }
  ~ShiftHeld() { SetShift(0); }

 private:
  static void SetShift(BYTE state) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = state;
    SetKeyboardState(keys);
  }
};

TEST(MemoMenu, ChecksFollowTheFlagsAndPasteNeedsClipboardText) {
  test::MainWindowFixture main(kThreeMemos);
  HWND memo = GetSettingsRecord(main.window())->memos[0];
  for (int topMost : {0, 1}) {
    for (int noArrange : {0, 1}) {
      SetMemoField(memo, kMemoTopMost, topMost);
      SetMemoField(memo, kMemoNoArrange, noArrange);
      HMENU menu = PrepareMemoMenu(memo);
      EXPECT_EQ((GetMenuState(menu, IDM_TOPMOST, MF_BYCOMMAND) & MF_CHECKED) != 0, topMost == 1);
      EXPECT_EQ((GetMenuState(menu, IDM_NO_ARRANGE, MF_BYCOMMAND) & MF_CHECKED) != 0, noArrange == 1);
    }
  }
  test::ClearClipboard();
  HMENU menu = PrepareMemoMenu(memo);
  EXPECT_TRUE(GetMenuState(menu, IDM_PASTE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(menu, IDM_PASTE_HALFWIDTH, MF_BYCOMMAND) & MF_GRAYED);
  test::SetClipboardText("text");
  menu = PrepareMemoMenu(memo);
  EXPECT_FALSE(GetMenuState(menu, IDM_PASTE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(menu, IDM_PASTE_HALFWIDTH, MF_BYCOMMAND) & MF_GRAYED);
}

std::vector<WPARAM>* g_commands = nullptr;
WNDPROC g_memoProc = nullptr;
LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    g_commands->push_back(wParam);  // recorded, not carried out: 40003 would open the editor
    return 0;
  }
  return CallWindowProcA(g_memoProc, window, message, wParam, lParam);
}

TEST(MemoWindowMessages, EveryPointIsCaptionAndADoubleClickAsksForTheEditor) {
  test::MainWindowFixture main(kThreeMemos);
  HWND memo = GetSettingsRecord(main.window())->memos[1];
  EXPECT_EQ(SendMessageA(memo, WM_NCHITTEST, 0, MAKELPARAM(705, 205)), HTCAPTION);
  EXPECT_EQ(SendMessageA(memo, WM_NCHITTEST, 0, MAKELPARAM(819, 229)), HTCAPTION);
  std::vector<WPARAM> commands;
  g_commands = &commands;
  g_memoProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));
  SendMessageA(memo, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(710, 210));
  EXPECT_EQ(commands, std::vector<WPARAM>{IDM_EDIT_MEMO});
  SetWindowLongPtrA(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_memoProc));
}

TEST(MemoToggles, TopMostChangesTheZOrderAtOnceAndNothingIsSavedUntilTheNextSave) {
  test::MainWindowFixture main(kThreeMemos);
  HWND memo = GetSettingsRecord(main.window())->memos[2];
  const std::string before = main.ReadIni();
  SendMessageA(memo, WM_COMMAND, IDM_TOPMOST, 0);
  EXPECT_EQ(GetMemoField(memo, kMemoTopMost), 1);
  EXPECT_TRUE(GetWindowLongA(memo, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SendMessageA(memo, WM_COMMAND, IDM_NO_ARRANGE, 0);
  EXPECT_EQ(GetMemoField(memo, kMemoNoArrange), 1);
  SendMessageA(memo, WM_COMMAND, IDM_NO_ARRANGE, 0);
  EXPECT_EQ(GetMemoField(memo, kMemoNoArrange), 0);
  EXPECT_EQ(main.ReadIni(), before);
  SendMessageA(memo, WM_COMMAND, IDM_HIDE, 0);
  EXPECT_EQ(GetSetting(main.window(), kSetHide), 1) << "other commands go to the main window";
}

TEST(DeleteMemo, IntoTheTrashHidesItMovesTheOthersUpAndSaves) {
  test::MainWindowFixture main(kThreeMemos);
  const SettingsRecord* r = GetSettingsRecord(main.window());
  HWND one = r->memos[1];
  SendMessageA(one, WM_COMMAND, IDM_DELETE_MEMO, 0);
  EXPECT_EQ(r->memoCount, 2);
  EXPECT_EQ(r->memos[2], nullptr);
  EXPECT_EQ(r->trash[0], one);
  EXPECT_FALSE(IsWindowVisible(one));
  const IniDocument ini = IniDocument::Parse(main.ReadIni());
  EXPECT_EQ(ini.GetString("Pinlark", "Trash0", ""), "one");
  EXPECT_EQ(ini.GetString("Pinlark", "Memo1", ""), "two");
  EXPECT_FALSE(ini.Find("Pinlark", "Memo2"));
}

TEST(DeleteMemo, AFullTrashDropsItsOldestForGood) {
  test::MainWindowFixture main(kThreeMemos);
  SettingsRecord* r = GetSettingsRecord(main.window());
  for (int i = 0; i < 64; ++i) SetWindowTextA(CreateMemoWindow(main.window(), kKindTrash), std::to_string(i).c_str());
  HWND oldest = r->trash[63];
  HWND zero = r->memos[0];
  DeleteMemo(zero);
  EXPECT_EQ(r->trashCount, 64);
  EXPECT_EQ(r->trash[0], zero);
  EXPECT_FALSE(IsWindow(oldest));
}

TEST(DeleteMemo, WithShiftAsksWhileTheMemoBlinksAndOkDeletesForGood) {
  test::MainWindowFixture main(kThreeMemos);
  const SettingsRecord* r = GetSettingsRecord(main.window());
  HWND zero = r->memos[0];
  bool blinking = false, mainDisabled = false;
  test::ModalWatcher watcher([&](const test::SeenWindow& s) {
    blinking = r->blinkingMemo == zero && r->acceptCommands == 0;
    mainDisabled = !IsWindowEnabled(main.window());
    test::PressButton(s, IDOK);
  });
  {
    ShiftHeld shift;
    SendMessageA(zero, WM_COMMAND, IDM_DELETE_MEMO, 0);
  }
  ASSERT_TRUE(watcher.Wait());
  EXPECT_EQ(watcher.seen().staticText, text::kDeleteForGood);
  EXPECT_TRUE(blinking);
  EXPECT_TRUE(mainDisabled);
  EXPECT_FALSE(IsWindow(zero));
  EXPECT_EQ(r->memoCount, 2);
  EXPECT_EQ(r->trashCount, 0);
  EXPECT_TRUE(IsWindowEnabled(main.window()));
  EXPECT_EQ(r->acceptCommands, 1);
}

TEST(DeleteMemo, WithShiftAndCancelKeepsTheMemoButStillArrangesAndSaves) {
  test::MainWindowFixture main(kThreeMemos);
  const SettingsRecord* r = GetSettingsRecord(main.window());
  HWND zero = r->memos[0];
  SetSetting(main.window(), kSetMove, 1);
  test::ModalWatcher watcher([](const test::SeenWindow& s) { test::PressButton(s, IDCANCEL); });
  {
    ShiftHeld shift;
    SendMessageA(zero, WM_COMMAND, IDM_DELETE_ARRANGE, 0);
  }
  ASSERT_TRUE(watcher.Wait());
  EXPECT_TRUE(IsWindow(zero));
  EXPECT_EQ(r->memoCount, 3);
  EXPECT_EQ(GetSetting(main.window(), kSetMove), 0) << "削除+整列 arranged all the same";
  EXPECT_TRUE(IniDocument::Parse(main.ReadIni()).Find("Pinlark", "MemoColor0")) << "and saved";
}

TEST(MoveEnd, SetsMoveAndWithAutoArrangeSpringsBack) {
  test::MainWindowFixture main(kThreeMemos);
  HWND memo = GetSettingsRecord(main.window())->memos[0];
  SetWindowPos(memo, nullptr, 100, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageA(memo, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(GetSetting(main.window(), kSetMove), 1);
  RECT rect;
  GetWindowRect(memo, &rect);
  EXPECT_EQ(rect.left, 100) << "AutoArrange off: it stays where it was dropped";

  SetSetting(main.window(), kSetAutoArrange, 1);
  SendMessageA(memo, WM_EXITSIZEMOVE, 0, 0);
  GetWindowRect(memo, &rect);
  EXPECT_NE(rect.left, 100) << "AutoArrange on: back into its column";
  EXPECT_EQ(GetSetting(main.window(), kSetMove), 0);
}

}  // namespace
}  // namespace pinlark
