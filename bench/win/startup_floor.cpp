// The floor of the start-up measurement: the least a program can do to show the memos of
// startup_memos.h, as plain popup windows with the texts as window texts, one ShowWindow each.
// Runs until a WM_QUIT is posted to its thread.
#include <windows.h>

#include "startup_memos.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
  windowClass.lpszClassName = startup::kFloorClass;
  if (RegisterClassA(&windowClass) == 0) return 1;
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
  return 0;
}
