// Saving and loading 64 memos and 64 trash memos of 16 KB each, against one plain write and one
// plain read of the same bytes. Prints ratios measured in this one run.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "app/settings_file.h"
#include "app/settings_record.h"
#include "memo/memo_store.h"
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

std::string MemoText(int n) {
  std::string text;
  while (text.size() < 16 * 1024) text += "memo " + std::to_string(n) + " \x95\x5C\\ line\r\n";
  text.resize(16 * 1024);
  return text;
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

  const double load = Best(5, [&] {
    IniDocument settings;
    ReadSettingsFile(path, &settings);
    HWND loaded = CreateMainWindow(instance, path, settings);
    LoadAllMemos(loaded, settings, true);
    DestroyWindow(loaded);
  });
  const double read = Best(5, [&] { PlainRead(path); });

  std::printf("file: %zu bytes, 64 + 64 memos of 16 KB (plain write %.2f ms)\n", bytes.size(), write * 1000);
  std::printf("save_all_memos_vs_plain_write: 1 : %.1f (target at most 3)\n", save / write);
  std::printf("save_all_memos_every_text_set_anew_vs_plain_write: 1 : %.1f\n", saveChanged / write);
  std::printf("load_all_memos_vs_plain_read: 1 : %.1f\n", load / read);
  std::printf("parts of a save against the plain write: gathering 1 : %.1f, file transaction 1 : %.1f\n",
              gather / write, transaction / write);
  DeleteFileA(path.c_str());
  DeleteFileA((path + ".bak").c_str());
  DeleteFileA((folder + "plain.ini").c_str());
  RemoveDirectoryA(folder.c_str());
  return 0;
}
