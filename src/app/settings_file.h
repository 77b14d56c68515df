// The settings file on disk, read and written in the encoding it has (code page text, or
// UTF-16 with a byte-order mark as an editor may save it), under names of any length the
// folder allows. Every write is one transaction: the current file is read, the
// change applied to it, the whole result written to a temporary file in the same folder,
// flushed, and put in place of the old file in one step; the previous file stays as NAME.bak.
// A crash at any moment leaves either the old or the new file, never a mix.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/ini_document.h"

namespace pinlark {

// Which version of the settings file the program last read or wrote, so a save can tell a file
// that someone else changed meanwhile: the file's identity, size and last-write time.
struct SettingsFileStamp {
  bool known = false;    // a read or save of this run filled it in
  bool present = false;  // the file existed then
  uint32_t volume = 0;
  uint64_t index = 0;
  uint64_t size = 0;
  uint64_t writeTime = 0;
  bool operator==(const SettingsFileStamp& other) const {
    return known == other.known && present == other.present && volume == other.volume &&
           index == other.index && size == other.size && writeTime == other.writeTime;
  }
};

// True when the file exists (and is not a folder).
bool SettingsFileExists(const std::string& path);

// Reads the file into *doc. A missing file gives an empty document and true; a file that
// exists but cannot be read gives false with the system's last-error code set.
bool ReadSettingsFile(const std::string& path, IniDocument* doc);
// The same, noting in *stamp which version of the file it read.
bool ReadSettingsFile(const std::string& path, IniDocument* doc, SettingsFileStamp* stamp);

// One transaction as above. On failure nothing on disk has changed, the result is false and
// the system's last-error code tells why (for the error reporter).
bool UpdateSettingsFile(const std::string& path, const std::function<void(IniDocument&)>& change);
// The same, first checking the file against *stamp: when a stamp is known and the file is no
// longer that version, the file found is kept beside it under ChangedCopyName, named in
// *changedCopy (empty otherwise), and the save goes ahead on it. Afterwards *stamp names the file
// this save wrote, or after a failure the version that was kept, so it is kept only once. A copy
// that cannot be made fails the save. A file nobody else changed costs no extra write.
bool UpdateSettingsFile(const std::string& path, const std::function<void(IniDocument&)>& change,
                        SettingsFileStamp* stamp, std::string* changedCopy);

}  // namespace pinlark
