// The properties dialog: the application settings of the settings record.
#pragma once

#include <windows.h>

namespace pinlark {

// Runs the dialog modally, owned by the main window; while it is open, a second call only
// gives it the focus.
void OpenPropertiesDialog(HWND mainWindow);

// How the play button sounds the chosen file: true when playing started. Tests put their own
// in place; null puts the system's back.
using PlaySoundFunction = bool (*)(const char* file);
PlaySoundFunction SetPlaySoundFunction(PlaySoundFunction play);

}  // namespace pinlark
