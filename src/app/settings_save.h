// A save of the settings file for the main window's record, told to the user as the program
// does: a failure with its message, and a file someone else had changed with the name it is
// kept under.
#pragma once

#include <windows.h>

#include <functional>

#include "app/ini_document.h"
#include "app/settings_record.h"

namespace pinlark {

// One transaction on r->settingsPath (which must not be empty), checked against and updating
// the version of the file the record last read or wrote. Message boxes are owned by `owner`.
// False when the save failed.
bool SaveSettings(HWND owner, SettingsRecord* r, const std::function<void(IniDocument&)>& change);

// The same save, leaving a failure to the caller: false with the system's error code set. With
// `owner` null nothing is shown at all (the end of a session, which no message box may hold up).
bool SaveSettingsUnreported(HWND owner, SettingsRecord* r, const std::function<void(IniDocument&)>& change);

}  // namespace pinlark
