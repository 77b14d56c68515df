#include "win_test_support.h"

#include <chrono>

#include "app/settings_file.h"
#include "memo/memo_store.h"
#include "shell/startup.h"
#include "shell/tray_icon.h"

namespace pinlark::test {
namespace {

bool ClassesRegistered() {
  static const bool registered = RegisterWindowClasses(GetModuleHandleA(nullptr));
  return registered;
}

}  // namespace

MainWindowFixture::MainWindowFixture(const char* iniContents) {
  if (!ClassesRegistered()) return;
  if (iniContents != nullptr) WriteFileBytes(iniPath(), iniContents);
  IniDocument settings;
  ReadSettingsFile(iniPath(), &settings);
  window_ = CreateMainWindow(GetModuleHandleA(nullptr), iniPath(), settings);
  // A given file is loaded as at start-up; without one there is no sample memo, so tests start
  // from an empty memo list.
  if (window_ != nullptr && iniContents != nullptr) LoadAllMemos(window_, settings, true);
}

MainWindowFixture::~MainWindowFixture() {
  if (IsWindow(window_)) {
    RemoveTrayIcon(window_);
    DestroyWindow(window_);
  }
  // The main window posts WM_QUIT when it goes; it must not end the next test's loops.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

LRESULT MainWindowFixture::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(window_, message, wParam, lParam);
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  old_ = SelectObject(dc_, bitmap_);
  HBRUSH brush = CreateSolidBrush(fill);
  RECT all{0, 0, width, height};
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
}

Canvas::~Canvas() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

int Canvas::CountOf(COLORREF colour) const {
  int n = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) n += GetPixel(dc_, x, y) == colour;
  return n;
}

std::string ItemText(HWND dialog, int id) {
  char text[512] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

ModalWatcher::ModalWatcher(std::function<void(const SeenWindow&)> answer, const char* className, DWORD uiThread,
                           HWND ignore)
    : answer_(std::move(answer)) {
  thread_ = std::thread(&ModalWatcher::Run, this, uiThread != 0 ? uiThread : GetCurrentThreadId(),
                        std::string(className), ignore);
}

ModalWatcher::~ModalWatcher() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

bool ModalWatcher::Wait() {
  if (thread_.joinable()) thread_.join();
  return found_;
}

bool ModalWatcher::Stop() {
  stop_ = true;
  return Wait();
}

void ModalWatcher::Run(DWORD uiThread, std::string className, HWND ignore) {
  struct Search {
    const std::string* className;
    HWND ignore;
    HWND found;
  };
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (!stop_ && std::chrono::steady_clock::now() < deadline) {
    Search search{&className, ignore, nullptr};
    EnumThreadWindows(
        uiThread,
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          char name[64];
          GetClassNameA(window, name, sizeof name);
          if (*s->className == name && IsWindowVisible(window) && window != s->ignore) {
            s->found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      // Shown once initialised; the dialog manager then puts the focus on a control of it.
      WaitFor([&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(uiThread, &info) && info.hwndFocus != nullptr &&
               (info.hwndFocus == search.found || IsChild(search.found, info.hwndFocus));
      }, 2000);
      seen_.window = search.found;
      seen_.className = className;
      char text[1024];
      GetWindowTextA(search.found, text, sizeof text);
      seen_.title = text;
      GetWindowRect(search.found, &seen_.rect);
      for (HWND child = GetWindow(search.found, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char childClass[64];
        GetClassNameA(child, childClass, sizeof childClass);
        if (lstrcmpiA(childClass, "Static") != 0) continue;
        GetWindowTextA(child, text, sizeof text);
        if (text[0] == '\0') continue;
        if (!seen_.staticText.empty()) seen_.staticText += '\n';
        seen_.staticText += text;
      }
      GUITHREADINFO info = {};
      info.cbSize = sizeof info;
      if (GetGUIThreadInfo(uiThread, &info)) {
        seen_.focus = info.hwndFocus;
        seen_.focusId = GetDlgCtrlID(info.hwndFocus);
      }
      found_ = true;
      answer_(seen_);
      return;
    }
    Sleep(20);
  }
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG start = GetTickCount64();
  while (!done()) {
    if (GetTickCount64() - start >= timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

void PressButton(const SeenWindow& seen, int id) { PressButton(seen.window, id); }

void PressButton(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, id, 0); }

void PressKey(const SeenWindow& seen, WPARAM key) {
  HWND target = seen.focus != nullptr ? seen.focus : seen.window;
  PostMessageA(target, WM_KEYDOWN, key, 0);
  PostMessageA(target, WM_KEYUP, key, 0xC0000000);
}

ShellOpenRecorder* ShellOpenRecorder::current_ = nullptr;

ShellOpenRecorder::ShellOpenRecorder(INT_PTR answer) : answer_(answer) {
  current_ = this;
  previous_ = SetShellOpenFunction(Record);
}

ShellOpenRecorder::~ShellOpenRecorder() {
  SetShellOpenFunction(previous_);
  current_ = nullptr;
}

std::vector<std::string> ShellOpenRecorder::paths() const {
  std::vector<std::string> paths;
  for (const Call& call : calls_) paths.push_back(call.path);
  return paths;
}

INT_PTR ShellOpenRecorder::Record(HWND owner, const char* path, const char* directory, int show) {
  current_->calls_.push_back({owner, path, directory != nullptr ? directory : "<none>", show});
  return current_->answer_;
}

}  // namespace pinlark::test
