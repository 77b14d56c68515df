#include "app/settings_file.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <memory>
#include <mutex>
#include <string_view>
#include <utility>

#include "app/changed_copy_name.h"
#include "app/wide_settings_text.h"

// How a save keeps the file whole (the ini is never missing, not even for a moment):
//   1. read the current NAME.ini (a file that exists but cannot be read ends the save: writing
//      without it would lose every line the program does not own);
//   2. apply the change and write the whole result to NAME.ini.tmp, then flush it to the disk,
//      so the rename below can never expose a file whose bytes are not yet on the disk;
//   3. make NAME.ini.prev a hard link to the current NAME.ini, so the old bytes survive the
//      next step. A link costs no second write of megabytes and appears all at once; nothing
//      writes through it later, because a save never rewrites a file in place. Where links
//      are not supported (FAT, some network drives) it is a copy instead;
//   4. MoveFileEx NAME.ini.tmp over NAME.ini: one rename, the switch from old to new;
//   5. MoveFileEx NAME.ini.prev over NAME.ini.bak.
// A kill before step 4 leaves the old NAME.ini (and at most a stale .tmp/.prev, replaced by
// the next save); a kill after it leaves the new one. The backup is taken under a name of its
// own and only renamed to .bak once the new file is in place, so a save that fails leaves
// NAME.ini.bak as it was too, and a half-made copy never becomes the backup. The backup is a
// convenience: when it cannot be made, the save still goes ahead, because refusing to save
// the user's notes for want of a backup would lose more than it protects.
//
// A file that is no longer the version this run last read or wrote (someone edited it, a sync
// tool replaced it) is first kept as NAME.ini.changed-DATE-TIME, a link or a copy, and the save
// goes ahead on it; the caller tells the user. The check costs no write: the stamp comes from
// the handle the save reads through.
//
// The calls take wide names: the temporary and backup names of a settings file near the length
// limit of the "A" calls pass it, and only the long form of a wide name gets past it.

namespace pinlark {
namespace {

// Win32 calls take at most a DWORD of bytes; keep each read and write well below that.
constexpr DWORD kChunk = 1u << 20;

// Keeps the last-error code of a failure across the clean-up calls that follow it.
class SavedError {
 public:
  SavedError() : code_(GetLastError()) {}
  bool Fail() const {
    SetLastError(code_);
    return false;
  }

 private:
  DWORD code_;
};

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  bool Close() {
    if (!Valid()) return true;
    BOOL ok = CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok != FALSE;
  }

 private:
  HANDLE h_;
};

// Code page text (the "A" calls' code page) appended to `out` as wide characters, and back.
void AppendWide(std::string_view text, std::wstring* out) {
  const int count = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
  if (length <= 0) return;
  const size_t at = out->size();
  out->resize(at + static_cast<size_t>(length));
  MultiByteToWideChar(CP_ACP, 0, text.data(), count, out->data() + at, length);
}

void AppendNarrow(std::wstring_view wide, std::string* out) {
  const int count = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), count, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return;
  const size_t at = out->size();
  out->resize(at + static_cast<size_t>(length));
  WideCharToMultiByte(CP_ACP, 0, wide.data(), count, out->data() + at, length, nullptr, nullptr);
}

// The name for the wide calls, converted from the code page as the "A" calls would; one past
// their length limit in its long form (which takes a full path: "\\?\C:\..." or
// "\\?\UNC\server\...").
std::wstring WideName(const std::string& path) {
  std::wstring wide;
  AppendWide(path, &wide);
  if (wide.size() < MAX_PATH || wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
  const DWORD got = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (got == 0 || got >= full.size()) return wide;
  full.resize(got);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

SettingsFileStamp StampOf(HANDLE file) {
  SettingsFileStamp stamp;
  stamp.known = true;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) return stamp;  // present but unknown: never equal
  stamp.present = true;
  stamp.volume = info.dwVolumeSerialNumber;
  stamp.index = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  stamp.size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  stamp.writeTime = (uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) | info.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

// Reads the whole file into *bytes, reusing its memory.
bool ReadAll(HANDLE file, std::string* bytes) {
  LARGE_INTEGER size;
  size_t expected = 0;
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0) expected = static_cast<size_t>(size.QuadPart);
  // One byte more than the size, so the read that meets the end of the file needs no growing.
  bytes->resize(std::max<size_t>(expected + 1, 4096));
  size_t have = 0;
  for (;;) {
    if (have == bytes->size()) bytes->resize(bytes->size() * 2);  // the file grew meanwhile
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes->size() - have, kChunk));
    DWORD got = 0;
    if (!ReadFile(file, bytes->data() + have, want, &got, nullptr)) return false;
    if (got == 0) break;
    have += got;
  }
  bytes->resize(have);
  return true;
}

// The bytes of `path` and the version they are of; a missing file gives none and true.
bool ReadBytes(const std::string& path, std::string* bytes, SettingsFileStamp* stamp) {
  // Sharing delete as well, so a save of another instance can still rename over the file.
  Handle file(CreateFileW(WideName(path).c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      bytes->clear();
      *stamp = SettingsFileStamp{};
      stamp->known = true;
      return true;
    }
    return false;
  }
  *stamp = StampOf(file.Get());
  return ReadAll(file.Get(), bytes);
}

// The code page conversions of the system, for files in UTF-16.
const CodePageConversion& SystemConversion() {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 units are the wide characters");
  static const CodePageConversion conversion{
      [](std::u16string_view units, std::string* out) {
        AppendNarrow({reinterpret_cast<const wchar_t*>(units.data()), units.size()}, out);
      },
      [](std::string_view text, std::u16string* out) {
        std::wstring wide;
        AppendWide(text, &wide);
        out->append(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
      }};
  return conversion;
}

// The document of the bytes read, and for a UTF-16 file the way back to its encoding.
IniDocument ParseRead(std::shared_ptr<const std::string> bytes, std::optional<WideSettingsText>* wide) {
  const TextEncoding encoding = EncodingOf(*bytes);
  if (encoding == TextEncoding::kAnsi) return IniDocument::Parse(std::move(bytes));
  wide->emplace(std::move(bytes), encoding, SystemConversion());
  return IniDocument::Parse((*wide)->Ansi());
}

// The read buffer of the last save, kept for the next one. A block of megabytes comes fresh
// from the system at every allocation, and the first touch of fresh memory costs more per
// megabyte than writing it to the file (measured under Wine), so a new buffer at every save
// would cost more than the write. Saves of other threads meanwhile get a buffer of their own.
class KeptBuffer {
 public:
  std::shared_ptr<std::string> Take() {
    std::lock_guard<std::mutex> hold(lock_);
    return kept_ ? std::move(kept_) : std::make_shared<std::string>();  // a moved pointer is empty
  }
  // Only a buffer nothing else points into can be read into again.
  void GiveBack(std::shared_ptr<std::string> buffer) {
    if (buffer.use_count() != 1 || buffer->capacity() > kKeepAtMost) return;
    std::lock_guard<std::mutex> hold(lock_);
    if (!kept_) kept_ = std::move(buffer);
  }

 private:
  // Far above what the memos can fill; a larger hand-made file is not kept in memory.
  static constexpr size_t kKeepAtMost = 64u << 20;
  std::mutex lock_;
  std::shared_ptr<std::string> kept_;
};

KeptBuffer& ReadBuffer() {
  static KeptBuffer* buffer = new KeptBuffer;  // never destroyed: a save may run at exit
  return *buffer;
}

// Collects the small pieces of a document into writes of a useful size (every WriteFile
// costs a call into the system); long pieces go out directly. A file that did not change is
// one long piece, so the buffer is only made when a short piece comes.
class BufferedWriter {
 public:
  explicit BufferedWriter(HANDLE file) : file_(file) {}
  bool Put(std::string_view piece) {
    if (piece.size() >= kSize / 4) return Flush() && WriteAll(piece);
    if (used_ + piece.size() > kSize && !Flush()) return false;
    if (!buffer_) buffer_.reset(new char[kSize]);
    std::copy(piece.begin(), piece.end(), buffer_.get() + used_);
    used_ += piece.size();
    return true;
  }
  bool Flush() {
    const size_t used = std::exchange(used_, 0);
    return used == 0 || WriteAll(std::string_view(buffer_.get(), used));
  }

 private:
  static constexpr size_t kSize = 64 * 1024;  // reused by the heap, unlike larger blocks
  bool WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
      DWORD want = bytes.size() < kChunk ? static_cast<DWORD>(bytes.size()) : kChunk;
      DWORD put = 0;
      if (!WriteFile(file_, bytes.data(), want, &put, nullptr)) return false;
      if (put == 0) {
        SetLastError(ERROR_WRITE_FAULT);
        return false;
      }
      bytes.remove_prefix(put);
    }
    return true;
  }

  HANDLE file_;
  std::unique_ptr<char[]> buffer_;
  size_t used_ = 0;
};

// Writes `doc` to `path`, in the encoding of `wide` when there is one, and flushes it
// (replacing a leftover of an interrupted save); *stamp names the file written.
bool WriteFlushed(const std::string& path, const IniDocument& doc, const WideSettingsText* wide,
                  SettingsFileStamp* stamp) {
  const std::wstring name = WideName(path);
  Handle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  BufferedWriter writer(file.Get());
  const auto put = [&writer](std::string_view piece) { return writer.Put(piece); };
  const bool written = wide == nullptr
                           ? doc.Serialize(put)
                           : writer.Put(wide->Bom()) &&
                                 doc.Serialize([&](std::string_view piece) { return wide->Put(piece, put); });
  if (!written || !writer.Flush() || !FlushFileBuffers(file.Get())) {
    SavedError error;
    file.Close();
    DeleteFileW(name.c_str());
    return error.Fail();
  }
  *stamp = StampOf(file.Get());
  if (!file.Close()) {
    SavedError error;
    DeleteFileW(name.c_str());
    return error.Fail();
  }
  return true;
}

// Another program (a virus scanner, an editor) may hold the file open for a moment; the
// rename then fails with one of these, and a short retry usually gets through.
bool MoveReplacing(const std::string& from, const std::string& to) {
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(WideName(from).c_str(), WideName(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    DWORD error = GetLastError();
    if (attempt >= 5 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
                         error != ERROR_LOCK_VIOLATION)) {
      return false;
    }
    Sleep(20);
  }
}

// The old file under `prev`, for the .bak; false when neither a link nor a copy could be made.
bool KeepPrevious(const std::string& path, const std::string& prev) {
  const std::wstring from = WideName(path), to = WideName(prev);
  // A stale .prev from a save cut short before its rename is a link to the settings file
  // itself: copying onto that name would empty the settings. It must be gone first.
  if (!DeleteFileW(to.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  if (CreateHardLinkW(to.c_str(), from.c_str(), nullptr)) return true;
  if (CopyFileW(from.c_str(), to.c_str(), TRUE)) return true;
  DeleteFileW(to.c_str());  // a half-made copy must not become the backup
  return false;
}

// Keeps the file someone else changed beside it under a name of its own (never one taken):
// a link, or a copy where links are not supported. The name made, or nothing.
std::optional<std::string> KeepChanged(const std::string& path) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const LocalSecond when{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  const std::wstring from = WideName(path);
  for (int attempt = 1; attempt <= 100; ++attempt) {
    std::string name = ChangedCopyName(path, when, attempt);
    const std::wstring to = WideName(name);
    if (CreateHardLinkW(to.c_str(), from.c_str(), nullptr)) return name;
    if (GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS) continue;
    if (CopyFileW(from.c_str(), to.c_str(), TRUE)) return name;
    if (GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS) continue;
    SavedError error;
    DeleteFileW(to.c_str());  // a half-made copy
    error.Fail();
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

bool SettingsFileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesW(WideName(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadSettingsFile(const std::string& path, IniDocument* doc) {
  SettingsFileStamp unused;
  return ReadSettingsFile(path, doc, &unused);
}

bool ReadSettingsFile(const std::string& path, IniDocument* doc, SettingsFileStamp* stamp) {
  auto bytes = std::make_shared<std::string>();
  SettingsFileStamp read;
  if (!ReadBytes(path, bytes.get(), &read)) return false;
  std::optional<WideSettingsText> wide;
  *doc = ParseRead(std::move(bytes), &wide);
  *stamp = read;
  return true;
}

namespace {

// The transaction on the bytes read into `buffer`; the document points into them. A null
// `stamp` checks nothing.
bool Update(const std::string& path, const std::function<void(IniDocument&)>& change,
            std::shared_ptr<std::string>& buffer, SettingsFileStamp* stamp, std::string* changedCopy) {
  SettingsFileStamp found;
  if (!ReadBytes(path, buffer.get(), &found)) return false;
  if (stamp != nullptr && stamp->known && found.present && !(found == *stamp)) {
    std::optional<std::string> kept = KeepChanged(path);
    if (!kept) return false;
    *changedCopy = std::move(*kept);
    *stamp = found;
  }
  std::optional<WideSettingsText> wide;
  IniDocument doc = ParseRead(buffer, &wide);
  // Windows refuses to rename over a read-only file, Wine does not: refuse here on both, so the
  // user's read-only mark holds wherever the program runs.
  DWORD attributes = GetFileAttributesW(WideName(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  change(doc);

  const std::string temp = path + ".tmp";
  const std::string prev = path + ".prev";
  const std::string backup = path + ".bak";
  SettingsFileStamp written;
  if (!WriteFlushed(temp, doc, wide ? &*wide : nullptr, &written)) return false;

  // A missing file has no previous version; keep an existing .bak then.
  const bool have_prev = found.present && KeepPrevious(path, prev);

  if (!MoveReplacing(temp, path)) {
    SavedError error;
    DeleteFileW(WideName(temp).c_str());
    // A link cannot be removed while another program holds the file without sharing its
    // removal; then it stays until the next save replaces it (it never becomes the .bak).
    if (have_prev) DeleteFileW(WideName(prev).c_str());
    return error.Fail();
  }
  if (stamp != nullptr) *stamp = written;
  if (have_prev && !MoveReplacing(prev, backup)) DeleteFileW(WideName(prev).c_str());
  SetLastError(ERROR_SUCCESS);
  return true;
}

}  // namespace

bool UpdateSettingsFile(const std::string& path, const std::function<void(IniDocument&)>& change) {
  std::string unused;
  return UpdateSettingsFile(path, change, nullptr, &unused);
}

bool UpdateSettingsFile(const std::string& path, const std::function<void(IniDocument&)>& change,
                        SettingsFileStamp* stamp, std::string* changedCopy) {
  changedCopy->clear();
  std::shared_ptr<std::string> buffer = ReadBuffer().Take();
  const bool saved = Update(path, change, buffer, stamp, changedCopy);
  const DWORD error = GetLastError();  // the save's, whatever giving the buffer back does to it
  ReadBuffer().GiveBack(std::move(buffer));
  SetLastError(error);
  return saved;
}

}  // namespace pinlark
