// The settings file on disk. Every write is one transaction: the current file is read, the
// change applied to it, the whole result written to a temporary file in the same folder,
// flushed, and put in place of the old file in one step; the previous file stays as NAME.bak.
// A crash at any moment leaves either the old or the new file, never a mix.
#pragma once

#include <functional>
#include <string>

#include "app/ini_document.h"

namespace pinlark {

// True when the file exists (and is not a folder).
bool SettingsFileExists(const std::string& path);

// Reads the file into *doc. A missing file gives an empty document and true; a file that
// exists but cannot be read gives false with the system's last-error code set.
bool ReadSettingsFile(const std::string& path, IniDocument* doc);

// One transaction as above. On failure nothing on disk has changed, the result is false and
// the system's last-error code tells why (for the error reporter).
bool UpdateSettingsFile(const std::string& path, const std::function<void(IniDocument&)>& change);

}  // namespace pinlark
