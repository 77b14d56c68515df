#include "windows_helpers.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pinlark::test {
namespace {

std::string WithoutClosingBackslash(const std::string& path) {
  return !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
}

// Data put on the clipboard needs an owner window (EmptyClipboard with none makes the next
// SetClipboardData fail); a message-only window of the test serves.
HWND ClipboardOwner() {
  static HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
  return owner;
}

// Another program may hold the clipboard open for a moment. Meanwhile the messages other
// programs send to this thread are answered, but nothing posted is handled.
bool OpenClipboardWaiting() {
  const ULONGLONG start = GetTickCount64();
  while (!OpenClipboard(ClipboardOwner())) {
    if (GetTickCount64() - start >= 5000) {
      ADD_FAILURE() << "another program held the clipboard open for 5 s";
      return false;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_SENDMESSAGE);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  return true;
}

}  // namespace

// ---- Files and folders

std::wstring WidePath(const std::string& path) {
  std::wstring wide(path.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                                      wide.data(), static_cast<int>(wide.size()))));
  return wide.size() < MAX_PATH ? wide : L"\\\\?\\" + wide;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(file, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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

bool FolderExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CopyTree(const std::string& fromPath, const std::string& toPath) {
  const std::string from = WithoutClosingBackslash(fromPath), to = WithoutClosingBackslash(toPath);
  if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
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

bool RemoveTree(const std::string& folderPath) {
  const std::string folder = WithoutClosingBackslash(folderPath);
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = folder + "\\" + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(find, &fd));
    FindClose(find);
  }
  return RemoveDirectoryA(folder.c_str()) != FALSE;
}

TempFolder::TempFolder(const std::string& stem) {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  for (int i = 0; i < 1000 && path_.empty(); ++i) {
    const std::string name =
        std::string(base) + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    if (CreateDirectoryA(name.c_str(), nullptr)) path_ = name + "\\";
  }
  if (path_.empty()) ADD_FAILURE() << "could not make a folder in " << base << " (error " << GetLastError() << ")";
}

TempFolder::~TempFolder() {
  // The files of a program that has just ended can stay locked for a moment.
  for (int i = 0; i < 50 && !path_.empty() && !RemoveTree(path_); ++i) Sleep(20);
}

// ---- Clipboard

bool SetClipboardText(const std::string& bytes) {
  if (!OpenClipboardWaiting()) return false;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
  bool ok = false;
  if (mem) {
    char* p = static_cast<char*>(GlobalLock(mem));
    std::memcpy(p, bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(mem);
    ok = SetClipboardData(CF_TEXT, mem) != nullptr;
    if (!ok) GlobalFree(mem);
  }
  CloseClipboard();
  if (!ok) ADD_FAILURE() << "could not put text on the clipboard (error " << GetLastError() << ")";
  return ok;
}

bool ClearClipboard() {
  if (!OpenClipboardWaiting()) return false;
  bool ok = EmptyClipboard() != FALSE;
  CloseClipboard();
  return ok;
}

std::optional<std::string> ClipboardText() {
  if (!OpenClipboardWaiting()) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text = std::string(p, strnlen(p, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::string Utf16Bytes(std::wstring_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), sizeof(wchar_t) * text.size());
}

std::string SystemText(DWORD code) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = text != nullptr ? text : "";
  if (text != nullptr) LocalFree(text);
  return result;
}

}  // namespace pinlark::test
