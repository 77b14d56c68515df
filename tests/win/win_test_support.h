// Helpers of the in-process tests: a main window on a temporary settings file, and a watcher
// that answers the modal boxes and dialogs the code under test opens.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/help.h"
#include "app/ini_document.h"
#include "ini_keys.h"
#include "windows_helpers.h"

namespace pinlark::test {

// The program's main window, created in this process on `settings.ini` of a temp folder whose
// contents are given, with the memos of that file loaded (nothing: no file and no memos).
// Destroyed at the end if still there.
class MainWindowFixture {
 public:
  explicit MainWindowFixture(const char* iniContents = nullptr);
  ~MainWindowFixture();
  HWND window() const { return window_; }
  std::string iniPath() const { return folder_.File("settings.ini"); }
  std::string ReadIni() const { return ReadFileBytes(iniPath()).value_or(""); }
  // Sends a message as the system would and returns the result.
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  bool Alive() const { return IsWindow(window_) != FALSE; }

 private:
  TempFolder folder_;
  HWND window_ = nullptr;
};

// A bitmap in the screen's format, filled with `fill`, to draw into and read back.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  int CountOf(COLORREF colour) const;  // how many of its pixels have that colour

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// The text of a dialog's control.
std::string ItemText(HWND dialog, int id);

// What a watcher saw of one modal window.
struct SeenWindow {
  std::string className;
  std::string title;
  std::string staticText;  // the texts of its static controls, joined by '\n'
  RECT rect{};
  HWND focus = nullptr;    // the control that had the keyboard focus
  int focusId = 0;         // and its control id
  HWND window = nullptr;
};

// Watches for the next visible dialog-class window of this thread's process owned by the UI
// thread, records it, then acts on it with `answer` (run on the watcher thread; it should post,
// not send). Join with Wait(), which returns whether one was seen.
class ModalWatcher {
 public:
  // `uiThread` is the thread that runs the modal loop (0: the calling thread); `ignore` is a
  // window of that class that is not the one waited for (an open dialog behind a message box).
  explicit ModalWatcher(std::function<void(const SeenWindow&)> answer, const char* className = "#32770",
                        DWORD uiThread = 0, HWND ignore = nullptr);
  ~ModalWatcher();
  bool Wait();
  // Stops watching at once (for code that must open nothing) and returns whether one was seen.
  bool Stop();
  const SeenWindow& seen() const { return seen_; }

 private:
  void Run(DWORD uiThread, std::string className, HWND ignore);
  std::function<void(const SeenWindow&)> answer_;
  SeenWindow seen_;
  std::atomic<bool> found_{false};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Polls `done` every 20 ms until it holds or `timeoutMs` have passed; whether it held. For a
// thread other than the one whose loop makes it come true.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// Stands in for the shell's "open" while it lives: records every call and answers `answer`.
// One at a time.
class ShellOpenRecorder {
 public:
  struct Call {
    HWND owner;
    std::string path;
    std::string directory;  // "<none>" for none
    int show;
  };
  explicit ShellOpenRecorder(INT_PTR answer = 42);
  ~ShellOpenRecorder();
  ShellOpenRecorder(const ShellOpenRecorder&) = delete;
  ShellOpenRecorder& operator=(const ShellOpenRecorder&) = delete;
  void Answer(INT_PTR answer) { answer_ = answer; }
  const std::vector<Call>& calls() const { return calls_; }
  std::vector<std::string> paths() const;

 private:
  static INT_PTR Record(HWND owner, const char* path, const char* directory, int show);
  static ShellOpenRecorder* current_;
  std::vector<Call> calls_;
  INT_PTR answer_;
  ShellOpenFunction previous_;
};

// Common answers.
void PressButton(const SeenWindow& seen, int id);  // posts WM_COMMAND id
void PressButton(HWND dialog, int id);
void PressKey(const SeenWindow& seen, WPARAM key);  // posts key down/up to the focused control

}  // namespace pinlark::test
