// Drives the real pinlark.exe from an end-to-end test: starts it in a folder of its own, finds
// its windows, works it with real input (SendInput), the clipboard and its settings file.
//
// Every wait is bounded. A wait that runs out records a GoogleTest failure that says what was
// waited for, and returns a value the test can stop on (false, nullptr, STILL_ACTIVE).
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ini_document.h"
#include "ini_keys.h"
#include "windows_helpers.h"

namespace pinlark::e2e {

constexpr DWORD kWaitMs = 10000;       // default bound of a wait
constexpr DWORD kStartWaitMs = 20000;  // for the main window of a starting program
constexpr UINT kExitCommand = 40000;   // the main window's WM_COMMAND that ends the program
constexpr char kMainClass[] = "VeskPostItClass";
constexpr char kMainTitle[] = "Pinlark";
constexpr char kMemoClass[] = "VeskPostItMemoClass";
constexpr UINT kTrayCallback = WM_USER + 1;  // the tray icon's message to the main window
constexpr char kEditTitle[] = "Pinlark - メモの編集";
constexpr char kTrashTitle[] = "Pinlark - ごみ箱";
constexpr char kPropertiesTitle[] = "Pinlarkのプロパティ";
constexpr char kVersionTitle[] = "Pinlark - バージョン情報";
// Commands of the main window and of the memos' menu.
constexpr UINT kNewMemoCommand = 40001, kDeleteMemoCommand = 40002, kSaveCommand = 40005, kVersionCommand = 40006,
               kHideCommand = 40007, kArrangeCommand = 40009, kPropertiesCommand = 40012, kCopyCommand = 40014,
               kTrashCommand = 40017, kNewFromClipboardCommand = 40020, kPasteCommand = 40022,
               kHalfWidthPasteCommand = 40024, kHelpCommand = 40025, kOpenCommand = 40026, kTopMostCommand = 40011;

// Polls `done` every 20 ms (handling this thread's messages meanwhile) until it is true or
// timeoutMs have passed. On time-out records a failure "timed out after N ms waiting for <what>".
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what);
// Handles the messages waiting for this thread's windows.
void PumpMessages();

// ---- Processes

// A started program; ends it (TerminateProcess) if it still runs when destroyed.
class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(HANDLE process, DWORD pid) : process_(process), pid_(pid) {}
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() { Release(); }

  bool Started() const { return process_ != nullptr; }
  bool Running() const;
  HANDLE Handle() const { return process_; }
  DWORD Pid() const { return pid_; }
  // The exit code; on time-out a recorded failure and STILL_ACTIVE.
  DWORD WaitForExit(DWORD timeoutMs = kWaitMs);
  void Kill();

 private:
  void Release();

  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// Starts `exePath` with the command line arguments `args` (the quoted program path is put in
// front) in `workDir` ("" keeps the test's current folder). A failure to start is recorded and
// gives a ChildProcess whose Started() is false.
ChildProcess StartProgram(const std::string& exePath, const std::string& args,
                          const std::string& workDir = "");
// Starts the program and waits for its end: its exit code, or STILL_ACTIVE (recorded as a
// failure, the program killed) when it runs longer than timeoutMs.
DWORD RunProgram(const std::string& exePath, const std::string& args, DWORD timeoutMs = kWaitMs);

// The folder of the running test program, ending in a backslash.
std::string TestProgramFolder();

// pinlark.exe run from a temporary folder of its own, so its pinlark.ini starts as each test
// wants and no test sees another's.
class PinlarkProcess {
 public:
  PinlarkProcess() = default;
  PinlarkProcess(const PinlarkProcess&) = delete;
  PinlarkProcess& operator=(const PinlarkProcess&) = delete;
  // Kills the program if it still runs and removes the folder.
  ~PinlarkProcess();

  // Launch, then WaitForMainWindow.
  bool Start(const std::string& args = "", const std::optional<std::string>& ini = std::nullopt);
  // The first call makes the folder and copies pinlark.exe and the help folder there from beside
  // the test program; a later call (after the program has ended) starts it again in the same
  // folder. `ini`, when given, is written as pinlark.ini byte for byte before the start. The
  // current folder of the program is the test's, not its own, as when started by a shortcut.
  bool Launch(const std::string& args = "", const std::optional<std::string>& ini = std::nullopt);
  // The main window: top-level, class VeskPostItClass, title "Pinlark", of this process (shown or
  // not), once the program waits for input (its memos loaded). Fails early when the program
  // ends first.
  HWND WaitForMainWindow(DWORD timeoutMs = kStartWaitMs);

  HANDLE Handle() const { return child_.Handle(); }
  DWORD Pid() const { return child_.Pid(); }
  bool Running() const { return child_.Running(); }
  HWND MainWindow() const { return main_; }
  // Before the first Launch: the program goes into the folder `subfolder` of its temporary
  // folder as `exeName` (both code page 932 bytes), not into that folder as pinlark.exe.
  void PlaceProgram(const std::string& subfolder, const std::string& exeName);
  const std::string& Folder() const { return folder_; }  // the program's; ends in a backslash
  std::string ExePath() const { return folder_ + exeName_; }
  // The program's path with "ini" for its last three bytes (names here end in ".exe").
  std::string IniPath() const { return folder_ + exeName_.substr(0, exeName_.size() - 3) + "ini"; }

  bool IniExists() const;
  // The settings file's bytes; empty when it does not exist.
  std::string ReadIni() const;
  IniDocument Ini() const { return IniDocument::Parse(ReadIni()); }
  bool WriteIni(const std::string& bytes) const;

  // The exit code, or STILL_ACTIVE (and a recorded failure) when it runs longer.
  DWORD WaitForExit(DWORD timeoutMs = kWaitMs) { return child_.WaitForExit(timeoutMs); }
  // Ends the program through its exit command and waits for it: the exit code.
  DWORD Close(DWORD timeoutMs = kWaitMs);
  void Kill() { child_.Kill(); }

  // A second instance from the same folder with `args`, run to its end: its exit code.
  DWORD RunSecondInstance(const std::string& args, DWORD timeoutMs = kWaitMs) const;
  // A second instance from the same folder, not waited for (to look at what it shows).
  ChildProcess StartSecondInstance(const std::string& args) const;

 private:
  bool MakeFolder();

  ChildProcess child_;
  HWND main_ = nullptr;
  std::unique_ptr<test::TempFolder> temp_;
  std::string folder_;
  std::string subfolder_;
  std::string exeName_ = "pinlark.exe";
};

// ---- Windows

// Posts a command as choosing it in a menu does (it may open a modal window).
void PostCommand(HWND window, UINT command);
// Carries out a memo's or the main window's command and waits until it is done. The command
// moves windows, and the activation that brings can send messages to this program's windows:
// they are answered while waiting (SMTO_NORMAL), or each would hold the command up for seconds.
void RunCommand(HWND window, UINT command);
// Whether the window answers a message within kWaitMs: its thread has then handled what was
// posted to it before, or waits in a window it opened meanwhile (a message box's loop answers).
bool Answers(HWND window);
// The memo windows of the program (trash memos too: they are hidden memo windows).
std::vector<HWND> Memos(const PinlarkProcess& pinlark, bool visibleOnly = true);
// The colour of a pixel of the screen.
COLORREF ScreenPixel(int x, int y);

std::string ClassNameOf(HWND hwnd);
// The text of a window of any process (WM_GETTEXT, so edit controls give their contents).
std::string TextOf(HWND hwnd);
RECT RectOf(HWND hwnd);  // screen coordinates
POINT CenterOf(HWND hwnd);
DWORD ProcessOf(HWND hwnd);

// Top-level windows in Z order whose process is `pid` (0: any) and whose class and title are
// exactly the given ones (an empty string matches any). Hidden windows count unless visibleOnly.
std::vector<HWND> FindWindows(DWORD pid, const std::string& className,
                              const std::string& title = "", bool visibleOnly = false);
// The first such window or nullptr, at once.
HWND FindWindowOf(DWORD pid, const std::string& className, const std::string& title = "",
                  bool visibleOnly = false);
// The first such window, waited for.
HWND WaitForWindow(DWORD pid, const std::string& className, const std::string& title = "",
                   DWORD timeoutMs = kWaitMs, bool visibleOnly = false);
bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs = kWaitMs);

// A shown popup menu (class "#32768") of process `pid` (0: any).
HWND WaitForPopupMenu(DWORD pid = 0, DWORD timeoutMs = kWaitMs);
// A shown dialog or message box (class "#32770") of process `pid` (0: any) with this title
// ("" matches any).
HWND WaitForDialog(DWORD pid, const std::string& title = "", DWORD timeoutMs = kWaitMs);

// Child windows of `parent` (all levels) of that class ("" matches any), in order.
std::vector<HWND> ChildWindows(HWND parent, const std::string& className = "");
// The non-empty texts of the Static controls of a dialog, in order (a message box's message).
std::vector<std::string> StaticTexts(HWND dialog);
// Those texts joined with line breaks.
std::string DialogText(HWND dialog);
// Presses the dialog's button by posting the command a click on it sends. By text, the '&' of
// a mnemonic is ignored on both sides ("OK", "キャンセル", "はい(Y)").
bool PressButton(HWND dialog, int id);
bool PressButton(HWND dialog, const std::string& text);

// ---- Input (SendInput: it goes where the system sends it, as a user's would)

// Makes the top-level window of `hwnd` the foreground window, waited for.
bool BringToForeground(HWND hwnd);
void MoveMouse(int x, int y);
void Click(int x, int y);
void RightClick(int x, int y);
void DoubleClick(int x, int y);
// A left click on the centre of a window or control.
void ClickOn(HWND hwnd);
// Presses the left button at `from`, moves in `steps` steps to `to` and lets go there.
void Drag(POINT from, POINT to, int steps = 10);
// Presses a key with modifiers held: PressKey(VK_F4, {VK_MENU}), PressKey('N', {VK_CONTROL}).
void PressKey(WORD vk, std::initializer_list<WORD> modifiers = {});
void KeyDown(WORD vk);
void KeyUp(WORD vk);
// Types printable ASCII text ('\n' is Enter, '\t' is Tab) as key presses of the keyboard layout
// (a character without a key comes as the character itself, KEYEVENTF_UNICODE).
void TypeText(const std::string& ascii);
// Lets the programs handle what was sent: a pause that handles this thread's messages.
void Settle(DWORD ms = 100);

// ---- The clipboard, files, the settings file's key order and the system's error texts, as
// the in-process tests have them

using test::ClearClipboard;
using test::ClipboardText;
using test::FileExists;
using test::KeysInSection;
using test::ReadFileBytes;
using test::SetClipboardText;
using test::SystemText;
using test::Utf16Bytes;
using test::WriteFileBytes;

}  // namespace pinlark::e2e
