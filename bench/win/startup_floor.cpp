// The floor of the start-up measurement: the least a program can do to show the memos of
// startup_memos.h, as plain popup windows with the texts as window texts, one ShowWindow each.
// With startup::kWithIconsOption it also carries what pinlark must carry besides: a class icon
// on the windows and a tray icon, added by a hidden window before the windows are made (the
// system's application icon stands in for pinlark's own, of the same sizes).
// Runs until a WM_QUIT is posted to its thread.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "startup_memos.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const bool withIcons = std::strcmp(commandLine, startup::kWithIconsOption) == 0;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.hIcon = withIcons ? LoadIconA(nullptr, IDI_APPLICATION) : nullptr;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
  windowClass.lpszClassName = startup::kFloorClass;
  if (RegisterClassA(&windowClass) == 0) return 1;
  NOTIFYICONDATAA tray = {};
  if (withIcons) {
    tray.cbSize = sizeof tray;
    tray.hWnd = CreateWindowExA(0, startup::kFloorClass, "floor", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 100,
                                nullptr, nullptr, instance, nullptr);
    tray.uID = 1;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = WM_APP;
    tray.hIcon = windowClass.hIcon;
    std::strcpy(tray.szTip, "floor");
    if (tray.hWnd == nullptr || !Shell_NotifyIconA(NIM_ADD, &tray)) return 1;
  }
  for (int i = 0; i < startup::kMemos; ++i) {
    const RECT r = startup::MemoRect(i);
    HWND window = CreateWindowExA(0, startup::kFloorClass, startup::MemoText(i, startup::kTextBytes).c_str(),
                                  WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                  instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  if (withIcons) Shell_NotifyIconA(NIM_DELETE, &tray);
  return 0;
}
