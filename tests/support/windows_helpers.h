// Files, folders, the clipboard and the system's error texts, for the in-process and the
// end-to-end tests alike (both are Windows programs; neither needs the other's harness).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace pinlark::test {

// ---- Files and folders

// A name for the wide file calls, in its long form ("\\\\?\\") past the length limit of the "A" calls.
std::wstring WidePath(const std::string& path);
// The bytes of a file (of any length of name), or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);  // a file, not a folder
bool FolderExists(const std::string& path);
// Copies a folder with everything in it; removes one (read-only files too). Paths with or
// without the closing backslash.
bool CopyTree(const std::string& from, const std::string& to);
bool RemoveTree(const std::string& folder);

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::string& stem = "pinlark-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }  // ends in a backslash; empty if none was made
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// ---- Clipboard (CF_TEXT: code page 932 bytes), owned by a window of the test

bool SetClipboardText(const std::string& bytes);
bool ClearClipboard();
// CF_TEXT on the clipboard, or nothing.
std::optional<std::string> ClipboardText();

// The bytes of UTF-16 LE text, as a file saved as "Unicode" holds them.
std::string Utf16Bytes(std::wstring_view text);

// The system's text for an error code, as the error reports show it.
std::string SystemText(DWORD code);

}  // namespace pinlark::test
