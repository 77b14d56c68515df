// Start-up of the real pinlark.exe, from process start until its memos are visible and painted:
// 64 memos of 4 KB at stored positions against one small memo, and against the floor:
// startup_floor.exe showing the same windows as bare popups, and for comparison the floor with
// the class icon and the tray icon pinlark must have. All are started as they ship, stripped
// (shipped\ beside the bench). Several runs, each starting the four in turn; prints each ratio
// as the median of the ratios within a run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ini_document.h"
#include "app/texts.h"
#include "memo/memo_keys.h"
#include "startup_memos.h"

namespace {

using namespace pinlark;
using Clock = std::chrono::steady_clock;

constexpr DWORD kPatience = 30000;  // ms; a start that takes longer has failed

struct Program {
  const char* name;
  std::string exe;
  const char* windowClass;  // of the windows that must be visible
  int windows;
  std::string options = {};  // the command line after the program's name
  std::vector<double> shown = {};  // seconds from process start to all windows shown, one per run
  int looks = 0;                   // the most looks at the windows one start took
};

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

std::string ShippedFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return Folder(std::string(path, n)) + "shipped\\";
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

std::string SettingsWith(int memos, std::size_t textBytes) {
  IniDocument ini;
  for (int i = 0; i < memos; ++i) {
    const RECT r = startup::MemoRect(i);
    StoredMemo memo;
    memo.window = {r.left, r.top, r.right, r.bottom};
    memo.color = 0x80FFFF;
    memo.text = startup::MemoText(i, textBytes);
    WriteMemoSlot(&ini, kMemoPrefix, i, &memo);
  }
  return ini.Serialize();
}

// A folder of its own holding a copy of pinlark.exe and the settings file beside it.
std::string PreparePinlark(const std::string& name, const std::string& settings) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "pinlark-startup-bench-" + name + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string exe = folder + "pinlark.exe";
  if (!CopyFileA((ShippedFolder() + "pinlark.exe").c_str(), exe.c_str(), FALSE) ||
      !WriteBytes(folder + "pinlark.ini", settings)) {
    return {};
  }
  return exe;
}

struct Census {
  DWORD pid;
  const char* windowClass;
  int visible = 0;
  int unpainted = 0;  // visible windows waiting for a paint
  HWND main = nullptr;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM lParam) {
  auto* census = reinterpret_cast<Census*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != census->pid) return TRUE;
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, census->windowClass) == 0 && IsWindowVisible(window)) {
    ++census->visible;
    if (GetUpdateRect(window, nullptr, FALSE)) ++census->unpainted;
  }
  if (lstrcmpA(name, text::kMainClass) == 0) census->main = window;
  return TRUE;
}

Census Count(DWORD pid, const char* windowClass) {
  Census census{pid, windowClass};
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&census));
  return census;
}

struct ButtonSearch {
  HWND window;
  bool found = false;
};

BOOL CALLBACK FindButtonFor(HWND child, LPARAM lParam) {
  auto* search = reinterpret_cast<ButtonSearch*>(lParam);
  if (GetWindowLongPtrA(child, GWLP_ID) != reinterpret_cast<LONG_PTR>(search->window)) return TRUE;
  search->found = true;
  return FALSE;
}

// Wine's taskbar keeps the tooltip window of every tray icon it has dropped, hidden and owned
// by the taskbar. Every start of pinlark adds one, and the window system walks all windows in
// several of its calls, so each start would meet a slower desktop than the one before (a
// start-up of the floor took 1.5 times as long after 30 tray programs). Once the started program
// has ended no tray icon is left, so every such tooltip is a leftover: it is closed.
BOOL CALLBACK CloseLeftOverTooltip(HWND window, LPARAM taskbar) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "tooltips_class32") == 0 && GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(taskbar) &&
      !IsWindowVisible(window)) {
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

// The desktop hears of every top-level window made or destroyed through posted messages, and
// its taskbar works through them one at a time, each costing more the more windows it knows:
// after 64 memos come and go it is busy for a while after the program has ended. (A sent
// message cannot tell: it is answered before the posted ones.) A window made now is added to
// the taskbar only after everything before it, so the next start waits until it is there and
// does not pay for the one before. A taskbar that lists no such window gives up after a while.
void WaitForDesktopToCatchUp() {
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  if (taskbar != nullptr) EnumWindows(CloseLeftOverTooltip, reinterpret_cast<LPARAM>(taskbar));
  HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (taskbar != nullptr && probe != nullptr) {
    const Clock::time_point start = Clock::now();
    ButtonSearch search{probe};
    while (!search.found && Clock::now() - start < std::chrono::seconds(10)) {
      Sleep(5);
      EnumChildWindows(taskbar, FindButtonFor, reinterpret_cast<LPARAM>(&search));
    }
  }
  if (probe != nullptr) DestroyWindow(probe);
  Sleep(100);  // and for it to repaint what the ended program's windows covered
}

// Ends a started program: pinlark through its main window's close (it saves and leaves), the
// floor through a WM_QUIT; killed only when it does not end.
void End(const PROCESS_INFORMATION& process, HWND main) {
  if (main != nullptr) {
    PostMessageA(main, WM_CLOSE, 0, 0);
  } else {
    PostThreadMessageA(process.dwThreadId, WM_QUIT, 0, 0);
  }
  if (WaitForSingleObject(process.hProcess, kPatience) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, kPatience);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  WaitForDesktopToCatchUp();
}

// One start; false when the program did not show its windows in time.
bool Start(Program* program, bool record) {
  std::string command = "\"" + program->exe + "\"";
  if (!program->options.empty()) command += " " + program->options;
  STARTUPINFOA info = {};
  info.cb = sizeof info;
  PROCESS_INFORMATION process = {};
  const Clock::time_point start = Clock::now();
  if (!CreateProcessA(program->exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      Folder(program->exe).c_str(), &info, &process)) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", program->exe.c_str(), GetLastError());
    return false;
  }
  // The first look waits until the program first waits for input with nothing to do, paints
  // included; from then on it polls until every window of the class is visible and painted.
  WaitForInputIdle(process.hProcess, kPatience);
  Census census = Count(process.dwProcessId, program->windowClass);
  int looks = 1;
  while ((census.visible < program->windows || census.unpainted > 0) &&
         Clock::now() - start < std::chrono::milliseconds(kPatience)) {
    Sleep(2);
    census = Count(process.dwProcessId, program->windowClass);
    ++looks;
  }
  const Clock::time_point shown = Clock::now();
  End(process, census.main);
  if (census.visible < program->windows || census.unpainted > 0) {
    std::fprintf(stderr, "%s showed %d of %d windows, %d unpainted\n", program->name, census.visible,
                 program->windows, census.unpainted);
    return false;
  }
  if (record) {
    program->shown.push_back(std::chrono::duration<double>(shown - start).count());
    program->looks = std::max(program->looks, looks);
  }
  return true;
}

void RemoveFolder(const std::string& exe) {
  const std::string folder = Folder(exe);
  for (const char* name : {"pinlark.exe", "pinlark.ini", "pinlark.ini.bak"}) DeleteFileA((folder + name).c_str());
  RemoveDirectoryA(folder.c_str());
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Fastest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

// The median over the runs of a's start against b's in the same run: the starts of one run come
// one after the other, under the same load of a shared machine, which drifts between runs.
double RunRatio(const Program& a, const Program& b) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < a.shown.size(); ++i) ratios.push_back(a.shown[i] / b.shown[i]);
  return Median(ratios);
}

}  // namespace

int main() {
  Program one{"one small memo", PreparePinlark("one", SettingsWith(1, 40)), text::kMemoClass, 1};
  Program full{"64 memos of 4 KB", PreparePinlark("full", SettingsWith(startup::kMemos, startup::kTextBytes)),
               text::kMemoClass, startup::kMemos};
  Program floor{"floor", ShippedFolder() + "startup_floor.exe", startup::kFloorClass, startup::kMemos};
  Program floorWithIcons = floor;
  floorWithIcons.name = "floor with a class icon and a tray icon";
  floorWithIcons.options = startup::kWithIconsOption;
  if (one.exe.empty() || full.exe.empty()) {
    std::fprintf(stderr, "cannot prepare pinlark.exe (from shipped\\ beside this bench) in the temporary folder\n");
    return 1;
  }
  Program* programs[] = {&one, &full, &floor, &floorWithIcons};
  constexpr int kRuns = 15;
  // One start of each untimed: the first start of a program file pays for reading it.
  bool ok = true;
  for (int run = -1; run < kRuns && ok; ++run) {
    for (Program* p : programs) ok = ok && Start(p, run >= 0);
  }
  RemoveFolder(one.exe);
  RemoveFolder(full.exe);
  if (!ok) return 1;
  for (const Program* p : programs) {
    std::printf("%s: %.0f ms (median of %d, at most %d looks)\n", p->name, Median(p->shown) * 1000, kRuns,
                p->looks);
  }
  std::printf("startup_64_memos_vs_one_memo: 1 : %.2f (target at most %.2f, the floor's against one memo)\n",
              RunRatio(full, one), RunRatio(floor, one));
  std::printf("startup_64_memos_vs_floor: 1 : %.2f (target at most 1.0)\n", RunRatio(full, floor));
  // What the class icon and the tray icon cost the floor, and pinlark against that floor.
  std::printf("startup_floor_with_icons_vs_floor: 1 : %.2f; startup_64_memos_vs_floor_with_icons: 1 : %.2f\n",
              RunRatio(floorWithIcons, floor), RunRatio(full, floorWithIcons));
  // The fastest starts, the least disturbed by the rest of a shared machine, for comparison.
  std::printf("fastest starts: 64 memos against one memo 1 : %.2f, against the floor 1 : %.2f\n",
              Fastest(full.shown) / Fastest(one.shown), Fastest(full.shown) / Fastest(floor.shown));
  return 0;
}
