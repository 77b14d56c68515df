// Saving and loading 64 memos and 64 trash memos of 16 KB each, against one plain write of the
// same bytes and against creating the same windows bare; and saving 64 memos of 64 KB, after an
// edit of one of them as the edit dialog applies it. Prints ratios measured in this one run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "memo/memo_store.h"
#include "memo/text_escape.h"
#include "memo/memo_window.h"
#include "shell/startup.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The fastest of `rounds` runs of `work`, each after an untimed `prepare`.
template <typename Prepare, typename Work>
double Best(int rounds, Prepare prepare, Work work) {
  double best = 1e9;
  for (int i = 0; i < rounds; ++i) {
    prepare();
    const auto start = Clock::now();
    work();
    best = std::min(best, Seconds(Clock::now() - start));
  }
  return best;
}

template <typename Work>
double Best(int rounds, Work work) {
  return Best(rounds, [] {}, work);
}

std::string MemoText(int n, std::size_t bytes = 16 * 1024) {
  std::string text;
  while (text.size() < bytes) text += "memo " + std::to_string(n) + " \x95\x5C\\ line\r\n";
  text.resize(bytes);
  return text;
}

// What the loaded windows are, made directly: the memo class, the stored rectangles and texts,
// the memos shown one by one.
struct BareWindow {
  RECT rect;
  std::string text;
  bool shown;
};

void CreateBare(HWND owner, const std::vector<BareWindow>& windows) {
  for (const BareWindow& w : windows) {
    HWND window = CreateWindowExA(0, pinlark::text::kMemoClass, w.text.c_str(), WS_POPUP, w.rect.left, w.rect.top,
                                  w.rect.right - w.rect.left, w.rect.bottom - w.rect.top, owner, nullptr, nullptr,
                                  nullptr);
    if (w.shown) ShowWindow(window, SW_SHOWNORMAL);
  }
}

void PlainWrite(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  FlushFileBuffers(file);
  CloseHandle(file);
}

std::string PlainRead(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes;
}

}  // namespace

int main() {
  using namespace pinlark;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "pinlark-store-bench\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "pinlark.ini";
  DeleteFileA(path.c_str());

  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClasses(instance);
  IniDocument none;
  HWND mainWindow = CreateMainWindow(instance, path, none);
  for (int i = 0; i < 64; ++i) {
    CreateMemoWindow(mainWindow, kKindMemo);
    CreateMemoWindow(mainWindow, kKindTrash);
  }
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  auto setEveryText = [r] {
    for (int i = 0; i < 64; ++i) {
      SetWindowTextA(r->memos[i], MemoText(i).c_str());
      SetWindowTextA(r->trash[i], MemoText(64 + i).c_str());
    }
  };
  setEveryText();
  SaveAllMemos(mainWindow);
  const std::string bytes = PlainRead(path);
  std::vector<BareWindow> bare;
  for (const HWND* list : {r->memos, r->trash}) {
    for (int i = 0; i < 64; ++i) {
      BareWindow w{{}, MemoText(list == r->memos ? i : 64 + i), list == r->memos};
      GetWindowRect(list[i], &w.rect);
      bare.push_back(w);
    }
  }

  // The fastest of several rounds: the machine is shared, and a round can lose the processor.
  constexpr int kRounds = 9;
  // A save after the texts were set anew, and one where they are as the last save left them
  // (a memo moved, the program closed).
  const double saveChanged = Best(kRounds, setEveryText, [&] { SaveAllMemos(mainWindow); });
  const double save = Best(kRounds, [&] { SaveAllMemos(mainWindow); });
  const double write = Best(kRounds, [&] { PlainWrite(folder + "plain.ini", bytes); });
  // Where a save's time goes: gathering the memos into the document (parsed, as a save does,
  // from bytes already in memory), and the file transaction.
  const auto shared = std::make_shared<const std::string>(bytes);
  const double gather = Best(kRounds, [&] {
    IniDocument ini = IniDocument::Parse(shared);
    WriteAllMemos(mainWindow, &ini);
  });
  const double transaction = Best(kRounds, [&] { UpdateSettingsFile(path, [](IniDocument&) {}); });
  DestroyWindow(mainWindow);

  // Loading and the bare windows, each into a main window of its own made before the clock runs.
  HWND loaded = nullptr;
  auto freshMainWindow = [&] {
    if (loaded != nullptr) DestroyWindow(loaded);
    loaded = CreateMainWindow(instance, path, none);
  };
  // In turns, so that both see the same disturbances of a shared machine.
  double load = 1e9, bareWindows = 1e9;
  for (int i = 0; i < 5; ++i) {
    load = std::min(load, Best(1, freshMainWindow, [&] {
      IniDocument settings;
      ReadSettingsFile(path, &settings);
      LoadAllMemos(loaded, settings, true);
    }));
    bareWindows = std::min(bareWindows, Best(1, freshMainWindow, [&] { CreateBare(loaded, bare); }));
  }
  DestroyWindow(loaded);

  // 64 memos of 64 KB: the first save escapes every text, the next only the one an edit changed.
  HWND big = CreateMainWindow(instance, path, none);
  const SettingsRecord* b = GetSettingsRecord(big);
  for (int i = 0; i < 64; ++i) {
    CreateMemoWindow(big, kKindMemo);
    SetWindowTextA(b->memos[i], MemoText(i, kMemoTextMax).c_str());
  }
  const auto firstStart = Clock::now();
  SaveAllMemos(big);
  const double bigFirstSave = Seconds(Clock::now() - firstStart);
  const std::string bigBytes = PlainRead(path);
  const double bigWrite = Best(kRounds, [&] { PlainWrite(folder + "plain.ini", bigBytes); });
  const double bigSave = Best(kRounds, [&] { SaveAllMemos(big); });
  int edits = 0;
  const double bigApply = Best(kRounds, [&] {
    // What the edit dialog's OK does to the memo it edits: the new text, sized to it, then a save.
    HWND memo = b->memos[edits % 64];
    SetWindowTextA(memo, MemoText(1000 + edits++, kMemoTextMax).c_str());
    AutoSizeMemo(memo);
    InvalidateRect(memo, nullptr, TRUE);
    SaveAllMemos(big);
  });
  DestroyWindow(big);

  std::printf("file: %zu bytes, 64 + 64 memos of 16 KB (plain write %.2f ms)\n", bytes.size(), write * 1000);
  std::printf("save_all_memos_vs_plain_write: 1 : %.1f (target at most 3)\n", save / write);
  std::printf("save_all_memos_every_text_set_anew_vs_plain_write: 1 : %.1f\n", saveChanged / write);
  std::printf("load_all_memos_vs_bare_windows: 1 : %.2f (target at most 1.2)\n", load / bareWindows);
  std::printf("parts of a save against the plain write: gathering 1 : %.1f, file transaction 1 : %.1f\n",
              gather / write, transaction / write);
  std::printf("64 memos of 64 KB: file %zu bytes (plain write %.2f ms), first save 1 : %.1f\n", bigBytes.size(),
              bigWrite * 1000, bigFirstSave / bigWrite);
  std::printf("save_64_memos_of_64kb_vs_plain_write: 1 : %.1f (target at most 3)\n", bigSave / bigWrite);
  std::printf("edit_apply_64_memos_of_64kb_vs_plain_write: 1 : %.1f\n", bigApply / bigWrite);
  DeleteFileA(path.c_str());
  DeleteFileA((path + ".bak").c_str());
  DeleteFileA((folder + "plain.ini").c_str());
  RemoveDirectoryA(folder.c_str());
  return 0;
}
