// Start-up: the settings file's place, the single instance, the window classes and the hidden
// main window; and the one message loop of the process.
#pragma once

#include <windows.h>

#include <string>

#include "app/ini_document.h"
#include "app/settings_file.h"

namespace pinlark {

// Returns true when the message loop may run; false when the process is to end at once (another
// instance runs, or a class, the main window or the accelerators could not be made).
bool StartUp(HINSTANCE instance, const char* commandLine, HWND* mainWindow, HACCEL* accelerators);

// When another instance runs: brings it to the foreground, hands over "-n", and returns true.
bool HandOverToRunningInstance(const char* commandLine);

bool RegisterWindowClasses(HINSTANCE instance);

// Creates the hidden main window on the given settings file (empty: none), whose contents
// were read as `settings`, from the version of the file `stamp` names. Null on failure.
HWND CreateMainWindow(HINSTANCE instance, const std::string& settingsPath, const IniDocument& settings,
                      const SettingsFileStamp& stamp = {});

// Runs until WM_QUIT; the accelerators apply to every window of the thread.
void RunMessageLoop(HWND mainWindow, HACCEL accelerators);

// After the loop: unregisters the main window class.
void EndMessageLoop(HINSTANCE instance);

}  // namespace pinlark
