// The main window's commands, tray clicks, the tray icon's swap and the hand-over to a
// running instance.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "app/settings_record.h"
#include "res/resource_ids.h"
#include "shell/commands.h"
#include "shell/startup.h"
#include "shell/tray_icon.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

using test::MainWindowFixture;

TEST(ApplicationMenu, PasteAsNewMemoIsGreyedExactlyWhenTheClipboardHoldsNoText) {
  MainWindowFixture main;
  test::ClearClipboard();
  HMENU menu = PrepareAppMenu(main.window());
  EXPECT_TRUE(GetMenuState(menu, IDM_NEW_FROM_CLIP, MF_BYCOMMAND) & MF_GRAYED);
  test::SetClipboardText("abc");
  EXPECT_FALSE(GetMenuState(PrepareAppMenu(main.window()), IDM_NEW_FROM_CLIP, MF_BYCOMMAND) & MF_GRAYED);
  test::ClearClipboard();
  EXPECT_TRUE(GetMenuState(PrepareAppMenu(main.window()), IDM_NEW_FROM_CLIP, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(ApplicationMenu, HoldsItsItemsInOrder) {
  MainWindowFixture main;
  HMENU app = GetSubMenu(reinterpret_cast<HMENU>(GetSetting(main.window(), kSetMenu)), SUBMENU_APP);
  const std::vector<UINT> expected = {IDM_EXIT, IDM_SAVE, 0, IDM_VERSION, IDM_HELP, 0, IDM_TRASH,
                                      IDM_PROPERTIES, 0, IDM_HIDE, IDM_LOWER_ALL, IDM_ARRANGE,
                                      IDM_PRINT_ALL, 0, IDM_NEW_FROM_CLIP, IDM_NEW_MEMO};
  ASSERT_EQ(GetMenuItemCount(app), static_cast<int>(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(GetMenuItemID(app, static_cast<int>(i)), expected[i]) << i;
  char label[64];
  GetMenuStringA(app, IDM_NEW_FROM_CLIP, label, sizeof label, MF_BYCOMMAND);
  EXPECT_STREQ(label, "貼り付け作成");
}

TEST(HideAll, HidesAndShowsTheMemoListWithTheCheckMarkButLeavesTrashAlone) {
  MainWindowFixture main;
  SettingsRecord* r = GetSettingsRecord(main.window());
  auto makeWindow = [&](bool visible) {
    return CreateWindowExA(0, "STATIC", "", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 20, 20, main.window(),
                           nullptr, nullptr, nullptr);
  };
  r->memos[0] = makeWindow(true);
  r->memos[1] = makeWindow(true);
  r->memoCount = 2;
  r->trash[0] = makeWindow(false);
  r->trashCount = 1;
  HMENU menu = r->menu;

  main.Send(WM_COMMAND, IDM_HIDE);
  EXPECT_EQ(r->app.hide, 1);
  EXPECT_FALSE(IsWindowVisible(r->memos[0]));
  EXPECT_FALSE(IsWindowVisible(r->memos[1]));
  EXPECT_TRUE(GetMenuState(menu, IDM_HIDE, MF_BYCOMMAND) & MF_CHECKED);

  main.Send(WM_COMMAND, IDM_HIDE);
  EXPECT_EQ(r->app.hide, 0);
  EXPECT_TRUE(IsWindowVisible(r->memos[0]));
  EXPECT_TRUE(IsWindowVisible(r->memos[1]));
  EXPECT_FALSE(IsWindowVisible(r->trash[0])) << "trash memos stay hidden";
  EXPECT_FALSE(GetMenuState(menu, IDM_HIDE, MF_BYCOMMAND) & MF_CHECKED);
}

TEST(TrayIcon, FollowsActivationFromAndToOutsideWindowsOnly) {
  MainWindowFixture main;
  SettingsRecord* r = GetSettingsRecord(main.window());
  HWND outside = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  HWND memo = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, main.window(), nullptr, nullptr, nullptr);
  r->memos[0] = memo;
  r->memoCount = 1;
  EXPECT_EQ(r->trayIcon, IDI_PINLARK);

  OnActivateAnyWindow(main.window(), WA_ACTIVE, reinterpret_cast<LPARAM>(outside));
  EXPECT_EQ(r->trayIcon, IDI_PINLARK_ACTIVE);
  EXPECT_TRUE(KillTimer(main.window(), TIMER_TRAY_ICON)) << "the shell hears of a change when the timer fires";
  OnActivateAnyWindow(main.window(), WA_INACTIVE, reinterpret_cast<LPARAM>(memo));
  EXPECT_EQ(r->trayIcon, IDI_PINLARK_ACTIVE) << "a move to a memo window keeps the icon";
  EXPECT_FALSE(KillTimer(main.window(), TIMER_TRAY_ICON)) << "and has nothing to tell the shell";
  OnActivateAnyWindow(main.window(), WA_INACTIVE, reinterpret_cast<LPARAM>(main.window()));
  EXPECT_EQ(r->trayIcon, IDI_PINLARK_ACTIVE);
  OnActivateAnyWindow(main.window(), WA_INACTIVE, reinterpret_cast<LPARAM>(outside));
  EXPECT_EQ(r->trayIcon, IDI_PINLARK);
  main.Send(WM_ACTIVATE, WA_CLICKACTIVE, reinterpret_cast<LPARAM>(outside));
  EXPECT_EQ(r->trayIcon, IDI_PINLARK_ACTIVE);
  DestroyWindow(outside);
}

TEST(TrayIcon, IsAddedAgainWhenTheTaskbarComesBack) {
  MainWindowFixture main;
  const SettingsRecord* r = GetSettingsRecord(main.window());
  NOTIFYICONDATAA probe = {};
  probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
  probe.hWnd = main.window();
  probe.uID = TRAY_ICON_ID;
  probe.uFlags = NIF_TIP;
  strcpy(probe.szTip, "Pinlark");

  RemoveTrayIcon(main.window());
  EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "the icon is gone";
  ASSERT_NE(r->taskbarCreatedMessage, 0u);
  main.Send(r->taskbarCreatedMessage);
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "the icon is back";
}

// Records the commands that reach a main window.
std::vector<WPARAM>* g_received = nullptr;
WNDPROC g_original = nullptr;
LRESULT CALLBACK Recording(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    g_received->push_back(wParam);
    return 0;
  }
  return CallWindowProcA(g_original, window, message, wParam, lParam);
}

TEST(SingleInstance, HandsOverExactlyMinusN) {
  MainWindowFixture main;
  std::vector<WPARAM> received;
  g_received = &received;
  g_original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(main.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Recording)));
  auto handOver = [&](const char* commandLine) {
    received.clear();
    const bool running = HandOverToRunningInstance(commandLine);
    MSG message;
    while (PeekMessageA(&message, main.window(), 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return running;
  };
  EXPECT_TRUE(handOver("-n"));
  EXPECT_EQ(received, std::vector<WPARAM>{IDM_NEW_MEMO});
  for (const char* other : {"", "-N", "/n", " -n", "-n x", "-nn"}) {
    EXPECT_TRUE(handOver(other));
    EXPECT_TRUE(received.empty()) << "command line \"" << other << "\"";
  }
  SetWindowLongPtrA(main.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_original));
  DestroyWindow(main.window());
  EXPECT_FALSE(HandOverToRunningInstance("-n")) << "no instance runs any more";
}

}  // namespace
}  // namespace pinlark
