// Processes, files and settings of the end-to-end driver.
#include "driver.h"

#include <gtest/gtest.h>

namespace pinlark::e2e {

namespace {

// Waits for a handle while handling this thread's messages: a program that sends a message to
// every window (a broadcast) must not hang on a window of the test.
bool WaitForHandle(HANDLE handle, DWORD timeoutMs) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    ULONGLONG elapsed = GetTickCount64() - start;
    DWORD left = elapsed >= timeoutMs ? 0 : static_cast<DWORD>(timeoutMs - elapsed);
    DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) return true;
    if (r != WAIT_OBJECT_0 + 1) return false;
    PumpMessages();
  }
}

bool CopyTree(const std::string& from, const std::string& to) {
  if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    return false;
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA((from + "\\*").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return true;
  bool ok = true;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      ok = CopyTree(from + "\\" + name, to + "\\" + name) && ok;
    else
      ok = CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE) && ok;
  } while (FindNextFileA(find, &fd));
  FindClose(find);
  return ok;
}

bool RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = path + "\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(find, &fd));
    FindClose(find);
  }
  return RemoveDirectoryA(path.c_str()) != FALSE;
}

bool IsFolder(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what) {
  const ULONGLONG start = GetTickCount64();
  while (GetTickCount64() - start < timeoutMs) {
    if (done()) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    PumpMessages();
  }
  if (done()) return true;
  ADD_FAILURE() << "timed out after " << timeoutMs << " ms waiting for " << what;
  return false;
}

// ---- Processes

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : process_(other.process_), pid_(other.pid_) {
  other.process_ = nullptr;
  other.pid_ = 0;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    Release();
    process_ = other.process_;
    pid_ = other.pid_;
    other.process_ = nullptr;
    other.pid_ = 0;
  }
  return *this;
}

void ChildProcess::Release() {
  if (!process_) return;
  Kill();
  CloseHandle(process_);
  process_ = nullptr;
}

bool ChildProcess::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) {
  if (!process_) {
    ADD_FAILURE() << "waiting for the exit of a program that was not started";
    return STILL_ACTIVE;
  }
  if (!WaitForHandle(process_, timeoutMs)) {
    ADD_FAILURE() << "timed out after " << timeoutMs << " ms waiting for process " << pid_
                  << " to exit";
    return STILL_ACTIVE;
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

void ChildProcess::Kill() {
  if (!Running()) return;
  TerminateProcess(process_, 1);
  // One that outlived its test would meet the next one as the running instance: this test fails.
  if (!WaitForHandle(process_, 5000)) ADD_FAILURE() << "process " << pid_ << " still runs 5 s after it was killed";
}

ChildProcess StartProgram(const std::string& exePath, const std::string& args,
                          const std::string& workDir) {
  std::string cmd = "\"" + exePath + "\"";
  if (!args.empty()) cmd += " " + args;
  std::vector<char> cmdLine(cmd.begin(), cmd.end());
  cmdLine.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(exePath.c_str(), cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workDir.empty() ? nullptr : workDir.c_str(), &si, &pi)) {
    ADD_FAILURE() << "could not start " << cmd << " (error " << GetLastError() << ")";
    return ChildProcess();
  }
  CloseHandle(pi.hThread);
  return ChildProcess(pi.hProcess, pi.dwProcessId);
}

DWORD RunProgram(const std::string& exePath, const std::string& args, DWORD timeoutMs) {
  ChildProcess child = StartProgram(exePath, args);
  if (!child.Started()) return STILL_ACTIVE;
  DWORD code = child.WaitForExit(timeoutMs);
  if (code == STILL_ACTIVE) ADD_FAILURE() << "(that was: " << exePath << " " << args << ")";
  return code;  // the destructor kills a program that still runs
}

std::string TestProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\') + 1);
}

PinlarkProcess::~PinlarkProcess() {
  child_.Kill();
  if (folder_.empty()) return;
  // The files of a program that has just ended can stay locked for a moment.
  std::string folder = folder_.substr(0, folder_.size() - 1);
  for (int i = 0; i < 50 && !RemoveTree(folder); ++i) Sleep(20);
}

bool PinlarkProcess::MakeFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  std::string folder;
  for (int i = 0; i < 1000 && folder.empty(); ++i) {
    std::string name = std::string(temp) + "pinlark-e2e-" + std::to_string(GetCurrentProcessId()) +
                       "-" + std::to_string(++counter);
    if (CreateDirectoryA(name.c_str(), nullptr)) folder = name;
  }
  if (folder.empty()) {
    ADD_FAILURE() << "could not make a folder for pinlark.exe in " << temp;
    return false;
  }
  folder_ = folder + "\\";
  std::string source = TestProgramFolder();
  if (!CopyFileA((source + "pinlark.exe").c_str(), ExePath().c_str(), FALSE)) {
    ADD_FAILURE() << "could not copy pinlark.exe from " << source << " to " << folder_
                  << " (error " << GetLastError() << "); it is built beside the test program";
    return false;
  }
  if (IsFolder(source + "help") && !CopyTree(source + "help", folder_ + "help")) {
    ADD_FAILURE() << "could not copy " << source << "help to " << folder_;
    return false;
  }
  return true;
}

bool PinlarkProcess::Launch(const std::string& args, const std::optional<std::string>& ini) {
  if (child_.Running()) {
    ADD_FAILURE() << "pinlark.exe (process " << child_.Pid() << ") is still running";
    return false;
  }
  if (folder_.empty() && !MakeFolder()) return false;
  if (ini && !WriteIni(*ini)) return false;
  main_ = nullptr;
  child_ = StartProgram(ExePath(), args);
  return child_.Started();
}

bool PinlarkProcess::Start(const std::string& args, const std::optional<std::string>& ini) {
  return Launch(args, ini) && WaitForMainWindow() != nullptr;
}

HWND PinlarkProcess::WaitForMainWindow(DWORD timeoutMs) {
  if (!child_.Started()) {
    ADD_FAILURE() << "waiting for the main window of a pinlark.exe that was not started";
    return nullptr;
  }
  bool ended = false;
  WaitUntil(
      [&] {
        main_ = FindWindowOf(child_.Pid(), kMainClass, kMainTitle);
        ended = !main_ && !child_.Running();
        return main_ || ended;
      },
      timeoutMs, "the main window (VeskPostItClass \"Pinlark\") of pinlark.exe");
  if (ended) {
    DWORD code = 0;
    GetExitCodeProcess(child_.Handle(), &code);
    ADD_FAILURE() << "pinlark.exe ended with exit code " << code
                  << " before its main window (VeskPostItClass \"Pinlark\") appeared";
  }
  // The main window exists before the memos are loaded: wait until the program has reached its
  // message loop with nothing left to do.
  if (main_ != nullptr && WaitForInputIdle(child_.Handle(), timeoutMs) != 0) {
    ADD_FAILURE() << "pinlark.exe did not reach its message loop";
  }
  return main_;
}

bool PinlarkProcess::IniExists() const { return FileExists(IniPath()); }

std::string PinlarkProcess::ReadIni() const { return ReadFileBytes(IniPath()).value_or(""); }

bool PinlarkProcess::WriteIni(const std::string& bytes) const {
  if (WriteFileBytes(IniPath(), bytes)) return true;
  ADD_FAILURE() << "could not write " << IniPath() << " (error " << GetLastError() << ")";
  return false;
}

DWORD PinlarkProcess::Close(DWORD timeoutMs) {
  if (!main_ || !PostMessageA(main_, WM_COMMAND, kExitCommand, 0)) {
    ADD_FAILURE() << "pinlark.exe has no main window to send its exit command to";
    return STILL_ACTIVE;
  }
  return WaitForExit(timeoutMs);
}

DWORD PinlarkProcess::RunSecondInstance(const std::string& args, DWORD timeoutMs) const {
  return RunProgram(ExePath(), args, timeoutMs);
}

ChildProcess PinlarkProcess::StartSecondInstance(const std::string& args) const {
  return StartProgram(ExePath(), args);
}

// ---- Files

std::optional<std::string> ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(file, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  return CloseHandle(file) && ok;
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

std::string TrimBlanks(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> KeysInSection(const std::string& iniBytes, const std::string& section) {
  std::vector<std::string> keys;
  size_t pos = iniBytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  bool inside = false;
  while (pos < iniBytes.size()) {
    size_t end = iniBytes.find('\n', pos);
    if (end == std::string::npos) end = iniBytes.size();
    std::string line = TrimBlanks(iniBytes.substr(pos, end - pos));
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line = TrimBlanks(line.substr(0, line.size() - 1));
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      if (inside) break;
      size_t close = line.find(']');
      inside = close != std::string::npos &&
               EqualsIgnoringAsciiCase(TrimBlanks(line.substr(1, close - 1)), section);
      continue;
    }
    if (inside) keys.push_back(TrimBlanks(line.substr(0, line.find('='))));
  }
  return keys;
}

}  // namespace pinlark::e2e
