// Keeps the Wine virtual desktop of a test session alive. Wine closes a desktop (and its
// taskbar) a moment after its last program ends, which would happen between two test programs;
// this hidden program stays connected to the desktop until it is told to quit.
//
//   desktop_keeper                   waits for the taskbar, prints "ready", runs until closed
//   desktop_keeper --quit            closes the running keeper and waits until it has ended
//   desktop_keeper --wait-for CLASS  waits (60 s at most) for a window of that class to exist
//   desktop_keeper --command CLASS ID  posts WM_COMMAND ID to a window of that class and waits
//                                    (10 s at most) for its program to end
//   desktop_keeper --post CLASS MSG WPARAM LPARAM  posts a message to a window of that class (a
//                                    shown one first) and returns at once
//   desktop_keeper --shown CLASS     waits (60 s at most) for a shown top-level window of that
//                                    class and prints its rectangle as WxH+X+Y
//   desktop_keeper --gone CLASS      waits (60 s at most) until no window of that class is shown
// tools/run-pinlark uses --wait-for and --command to take its screenshot and to end Pinlark,
// tools/screenshots the others to open the dialogs and menus and to cut them out.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char kClassName[] = "PinlarkDesktopKeeper";
const DWORD kWaitMs = 60000;
const DWORD kQuitWaitMs = 10000;

LRESULT CALLBACK KeeperProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void Say(const char* text) {
  std::printf("desktop_keeper: %s\n", text);
  std::fflush(stdout);
}

// Posts a message to the window and waits for its process to end.
int PostAndWaitForEnd(HWND hwnd, UINT msg, WPARAM wp) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  PostMessageA(hwnd, msg, wp, 0);
  if (!process) return 0;
  DWORD waited = WaitForSingleObject(process, kQuitWaitMs);
  CloseHandle(process);
  if (waited != WAIT_OBJECT_0) {
    Say("the program did not end within 10 s");
    return 1;
  }
  return 0;
}

int QuitRunningKeeper() {
  HWND keeper = FindWindowA(kClassName, nullptr);
  if (!keeper) {
    Say("no keeper running");
    return 0;
  }
  return PostAndWaitForEnd(keeper, WM_CLOSE, 0);
}

// "CLASS ID": the command a program's menu item sends, for a program to end as its user ends it.
int SendCommand(const char* args) {
  char className[256] = {};
  unsigned id = 0;
  if (std::sscanf(args, "%255s %u", className, &id) != 2) {
    Say("usage: desktop_keeper --command CLASS ID");
    return 2;
  }
  HWND target = FindWindowA(className, nullptr);
  if (!target) {
    Say("no window of that class");
    return 1;
  }
  return PostAndWaitForEnd(target, WM_COMMAND, id);
}

int WaitForWindowClass(const char* className) {
  DWORD start = GetTickCount();
  while (!FindWindowA(className, nullptr)) {
    if (GetTickCount() - start > kWaitMs) {
      std::printf("desktop_keeper: no window of class %s appeared within 60 s\n", className);
      return 1;
    }
    Sleep(50);
  }
  return 0;
}

// The first shown top-level window of the class (a dialog's "#32770", a menu's "#32768").
HWND ShownWindowOf(const char* className) {
  struct Search {
    const char* className;
    HWND found;
  } search = {className, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        char name[256] = {};
        GetClassNameA(hwnd, name, sizeof name);
        if (!IsWindowVisible(hwnd) || std::strcmp(name, s->className) != 0) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// "CLASS MSG WPARAM LPARAM": a hidden window (a program's main window) takes it when none is shown.
int PostToClass(const char* args) {
  char className[256] = {};
  unsigned message = 0;
  long long wp = 0, lp = 0;
  if (std::sscanf(args, "%255s %u %lld %lld", className, &message, &wp, &lp) != 4) {
    Say("usage: desktop_keeper --post CLASS MSG WPARAM LPARAM");
    return 2;
  }
  HWND target = ShownWindowOf(className);
  if (!target) target = FindWindowA(className, nullptr);
  if (!target) {
    Say("no window of that class");
    return 1;
  }
  return PostMessageA(target, message, static_cast<WPARAM>(wp), static_cast<LPARAM>(lp)) ? 0 : 1;
}

// Waits until a window of the class is shown (`shown`) or none is; prints the shown one's rectangle.
int WaitForShown(const char* className, bool shown) {
  DWORD start = GetTickCount();
  HWND found;
  while (((found = ShownWindowOf(className)) != nullptr) != shown) {
    if (GetTickCount() - start > kWaitMs) {
      std::printf("desktop_keeper: a window of class %s %s within 60 s\n", className,
                  shown ? "did not appear" : "stayed");
      return 1;
    }
    Sleep(50);
  }
  if (shown) {
    RECT r;
    GetWindowRect(found, &r);
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  }
  return 0;
}

// Handles messages while polling, so the desktop never sees this program as hung.
void PumpFor(DWORD ms) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
  if (std::strstr(cmdLine, "--quit")) return QuitRunningKeeper();
  if (const char* wait = std::strstr(cmdLine, "--wait-for ")) {
    return WaitForWindowClass(wait + std::strlen("--wait-for "));
  }
  if (const char* command = std::strstr(cmdLine, "--command ")) {
    return SendCommand(command + std::strlen("--command "));
  }

  if (const char* post = std::strstr(cmdLine, "--post ")) return PostToClass(post + std::strlen("--post "));
  if (const char* shown = std::strstr(cmdLine, "--shown ")) {
    return WaitForShown(shown + std::strlen("--shown "), true);
  }
  if (const char* gone = std::strstr(cmdLine, "--gone ")) return WaitForShown(gone + std::strlen("--gone "), false);

  if (FindWindowA(kClassName, nullptr)) {
    Say("another keeper is already running");
    return 1;
  }
  WNDCLASSA wc = {};
  wc.lpfnWndProc = KeeperProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc)) return 1;
  // A hidden top-level window: it ties this process to the desktop and lets --quit find it.
  HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr,
                              nullptr, instance, nullptr);
  if (!hwnd) return 1;

  DWORD start = GetTickCount();
  while (!FindWindowA("Shell_TrayWnd", nullptr)) {
    if (GetTickCount() - start > kWaitMs) {
      Say("no taskbar window (Shell_TrayWnd) appeared within 60 s");
      return 1;
    }
    PumpFor(50);
  }
  Say("ready");

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
