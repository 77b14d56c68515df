#include "app/settings_file.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string_view>
#include <utility>

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

// The bytes of `path`; a missing file gives none and true.
bool ReadBytes(const std::string& path, std::string* bytes) {
  // Sharing delete as well, so a save of another instance can still rename over the file.
  Handle file(CreateFileA(path.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      bytes->clear();
      return true;
    }
    return false;
  }
  return ReadAll(file.Get(), bytes);
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

// Writes `doc` to `path` and flushes it (replacing a leftover of an interrupted save).
bool WriteFlushed(const std::string& path, const IniDocument& doc) {
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  BufferedWriter writer(file.Get());
  if (!doc.Serialize([&writer](std::string_view piece) { return writer.Put(piece); }) ||
      !writer.Flush() || !FlushFileBuffers(file.Get())) {
    SavedError error;
    file.Close();
    DeleteFileA(path.c_str());
    return error.Fail();
  }
  if (!file.Close()) {
    SavedError error;
    DeleteFileA(path.c_str());
    return error.Fail();
  }
  return true;
}

// Another program (a virus scanner, an editor) may hold the file open for a moment; the
// rename then fails with one of these, and a short retry usually gets through.
bool MoveReplacing(const std::string& from, const std::string& to) {
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
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
  // A stale .prev from a save cut short before its rename is a link to the settings file
  // itself: copying onto that name would empty the settings. It must be gone first.
  if (!DeleteFileA(prev.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  if (CreateHardLinkA(prev.c_str(), path.c_str(), nullptr)) return true;
  if (CopyFileA(path.c_str(), prev.c_str(), TRUE)) return true;
  DeleteFileA(prev.c_str());  // a half-made copy must not become the backup
  return false;
}

}  // namespace

bool SettingsFileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadSettingsFile(const std::string& path, IniDocument* doc) {
  auto bytes = std::make_shared<std::string>();
  if (!ReadBytes(path, bytes.get())) return false;
  *doc = IniDocument::Parse(std::move(bytes));
  return true;
}

namespace {

// The transaction on the bytes read into `buffer`; the document points into them.
bool Update(const std::string& path, const std::function<void(IniDocument&)>& change,
            std::shared_ptr<std::string>& buffer) {
  if (!ReadBytes(path, buffer.get())) return false;
  IniDocument doc = IniDocument::Parse(buffer);
  // Windows refuses to rename over a read-only file, Wine does not: refuse here on both, so the
  // user's read-only mark holds wherever the program runs.
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  change(doc);

  const std::string temp = path + ".tmp";
  const std::string prev = path + ".prev";
  const std::string backup = path + ".bak";
  if (!WriteFlushed(temp, doc)) return false;

  // A missing file has no previous version; keep an existing .bak then.
  const bool have_prev = SettingsFileExists(path) && KeepPrevious(path, prev);

  if (!MoveReplacing(temp, path)) {
    SavedError error;
    DeleteFileA(temp.c_str());
    // A link cannot be removed while another program holds the file without sharing its
    // removal; then it stays until the next save replaces it (it never becomes the .bak).
    if (have_prev) DeleteFileA(prev.c_str());
    return error.Fail();
  }
  if (have_prev && !MoveReplacing(prev, backup)) DeleteFileA(prev.c_str());
  SetLastError(ERROR_SUCCESS);
  return true;
}

}  // namespace

bool UpdateSettingsFile(const std::string& path, const std::function<void(IniDocument&)>& change) {
  std::shared_ptr<std::string> buffer = ReadBuffer().Take();
  const bool saved = Update(path, change, buffer);
  const DWORD error = GetLastError();  // the save's, whatever giving the buffer back does to it
  ReadBuffer().GiveBack(std::move(buffer));
  SetLastError(error);
  return saved;
}

}  // namespace pinlark
