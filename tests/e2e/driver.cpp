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

// Ended before its folder goes.
PinlarkProcess::~PinlarkProcess() { child_.Kill(); }

void PinlarkProcess::PlaceProgram(const std::string& subfolder, const std::string& exeName) {
  if (!folder_.empty()) ADD_FAILURE() << "PlaceProgram after the program's folder was made";
  subfolder_ = subfolder;
  exeName_ = exeName;
}

bool PinlarkProcess::MakeFolder() {
  temp_ = std::make_unique<test::TempFolder>("pinlark-e2e");
  if (temp_->path().empty()) return false;
  folder_ = temp_->path();
  if (!subfolder_.empty()) {
    folder_ += subfolder_ + "\\";
    if (!CreateDirectoryA(folder_.c_str(), nullptr)) {
      ADD_FAILURE() << "could not make the folder " << folder_ << " (error " << GetLastError() << ")";
      return false;
    }
  }
  std::string source = TestProgramFolder();
  if (!CopyFileA((source + "pinlark.exe").c_str(), ExePath().c_str(), FALSE)) {
    ADD_FAILURE() << "could not copy pinlark.exe from " << source << " to " << folder_
                  << " (error " << GetLastError() << "); it is built beside the test program";
    return false;
  }
  if (test::FolderExists(source + "help") && !test::CopyTree(source + "help", folder_ + "help")) {
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

}  // namespace pinlark::e2e
