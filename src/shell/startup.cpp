#include "shell/startup.h"

#include <cstring>
#include <vector>

#include "app/error_report.h"
#include "app/settings_file.h"
#include "app/settings_path.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "memo/memo_store.h"
#include "memo/memo_window.h"
#include "res/resource_ids.h"
#include "shell/main_window.h"

namespace pinlark {
namespace {

// Room for the longest path Windows has, so the settings path is never made from a cut one.
constexpr DWORD kLongestPath = 32768;

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// Why a run keeps no settings file: what start-up says, and what the run's first save says.
struct NoSettingsFile {
  const char* atStart;
  const char* atSave;
};
constexpr NoSettingsFile kPathTooLong = {text::kSettingsPathTooLong, text::kNotSavedPathTooLong};
constexpr NoSettingsFile kNameTooShort = {text::kSettingsNameTooShort, text::kNotSavedNameTooShort};
constexpr NoSettingsFile kUnreadable = {text::kSettingsUnreadable, text::kNotSavedUnreadable};

// The settings file's path, or empty with `*why` set when the program's own path cannot give one.
std::string FindSettingsPath(const NoSettingsFile** why) {
  std::vector<char> path(kLongestPath);
  const DWORD length = GetModuleFileNameA(nullptr, path.data(), kLongestPath);
  if (length == 0 || length >= kLongestPath) {
    *why = &kPathTooLong;
    return {};
  }
  std::string settingsPath = SettingsPathForProgram(std::string_view(path.data(), length), SystemLeadByte);
  if (settingsPath.empty()) *why = &kNameTooShort;
  return settingsPath;
}

}  // namespace

bool HandOverToRunningInstance(const char* commandLine) {
  HWND running = FindWindowA(text::kMainClass, text::kAppName);
  if (running == nullptr) return false;
  SetForegroundWindow(running);
  if (std::strcmp(commandLine, text::kNewMemoOption) == 0) {
    PostMessageA(running, WM_COMMAND, IDM_NEW_MEMO, 0);
  }
  return true;
}

bool RegisterWindowClasses(HINSTANCE instance) {
  WNDCLASSA mainClass = {};
  mainClass.lpfnWndProc = MainWindowProc;
  mainClass.cbWndExtra = sizeof(LONG_PTR);
  mainClass.hInstance = instance;
  mainClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PINLARK));
  mainClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  mainClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  mainClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
  mainClass.lpszClassName = text::kMainClass;

  WNDCLASSA memoClass = {};
  memoClass.style = CS_DBLCLKS;
  memoClass.lpfnWndProc = MemoWindowProc;
  memoClass.cbWndExtra = sizeof(LONG_PTR);
  memoClass.hInstance = instance;
  memoClass.hIcon = mainClass.hIcon;
  memoClass.hCursor = mainClass.hCursor;
  memoClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  memoClass.lpszClassName = text::kMemoClass;

  return RegisterClassA(&mainClass) != 0 && RegisterClassA(&memoClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, const std::string& settingsPath, const IniDocument& settings,
                      const SettingsFileStamp& stamp) {
  MainWindowParams params;
  params.settingsPath = settingsPath;
  params.settings = &settings;
  params.stamp = stamp;
  // Never shown; its corner sits at the bottom-right corner of the screen.
  return CreateWindowExA(0, text::kMainClass, text::kAppName, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                         GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), CW_USEDEFAULT,
                         CW_USEDEFAULT, nullptr, nullptr, instance, &params);
}

bool StartUp(HINSTANCE instance, const char* commandLine, HWND* mainWindow, HACCEL* accelerators) {
  *mainWindow = nullptr;
  const NoSettingsFile* why = nullptr;
  std::string settingsPath = FindSettingsPath(&why);
  if (HandOverToRunningInstance(commandLine)) return false;
  if (!RegisterWindowClasses(instance)) return false;

  *accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCEL));
  if (*accelerators == nullptr) return false;

  // A settings file that is there but cannot be read is left alone for this run: writing it
  // would drop the memos it holds.
  IniDocument settings;
  SettingsFileStamp stamp;
  DWORD readError = ERROR_SUCCESS;
  const bool fileExists = why == nullptr && SettingsFileExists(settingsPath);
  if (why == nullptr && !ReadSettingsFile(settingsPath, &settings, &stamp)) {
    readError = GetLastError();
    settingsPath.clear();
    why = &kUnreadable;
  }
  HWND window = CreateMainWindow(instance, settingsPath, settings, stamp);
  if (window == nullptr) return false;
  if (why != nullptr) {
    SettingsRecord* r = GetSettingsRecord(window);
    r->unsavedReason = why->atSave;
    r->unsavedError = readError;
    ReportErrorCode(window, why->atStart, readError);
  }
  LoadAllMemos(window, settings, fileExists);
  *mainWindow = window;
  return true;
}

void RunMessageLoop(HWND mainWindow, HACCEL accelerators) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorA(mainWindow, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void EndMessageLoop(HINSTANCE instance) { UnregisterClassA(text::kMainClass, instance); }

}  // namespace pinlark
