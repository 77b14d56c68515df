// The settings record: the one block of application state, hung on the main window. It holds
// the application settings, the shared menu and fonts, the open dialogs and the memo lists.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/app_settings.h"
#include "app/settings_file.h"

namespace pinlark {

inline constexpr int kMaxMemos = 64;

struct SettingsRecord {
  HMENU menu = nullptr;
  HFONT memoFont = nullptr;      // null: the system font
  HFONT printerFont = nullptr;   // only while a print job runs
  UINT_PTR alarmTimer = 0;
  int32_t acceptCommands = 0;    // 0 while a memo blinks: commands, keys, tray and close are ignored
  AppSettings app;
  HWND editTarget = nullptr;     // memo being edited, null for a new memo
  HWND blinkingMemo = nullptr;
  HWND editDialog = nullptr;
  HWND propertiesDialog = nullptr;
  HWND trashDialog = nullptr;
  int memoCount = 0;
  HWND memos[kMaxMemos] = {};    // packed from the front, in the order they joined
  int trashCount = 0;
  HWND trash[kMaxMemos] = {};    // newest first

  // Where the settings live; empty when this run must not touch any settings file.
  std::string settingsPath;
  SettingsFileStamp settingsStamp;  // the version of the file last read or written
  HINSTANCE instance = nullptr;
  UINT taskbarCreatedMessage = 0;  // sent to every top-level window when the taskbar comes back
  int trayIcon = 0;                // icon resource the tray shows, or is about to show
  bool alarmCheckRunning = false;  // keeps the alarm check from running inside its own dialogs
  bool closing = false;            // keeps a close from starting again inside its own message boxes
  bool closeSaveFailed = false;    // a close's save failed: the next close may end without saving

  // A run without a settings file: what its first save tells the user (null: the run has a
  // file), with the system's error code behind it (ERROR_SUCCESS: none), and whether it was told.
  const char* unsavedReason = nullptr;
  DWORD unsavedError = ERROR_SUCCESS;
  bool unsavedTold = false;
};

// Indices of the settings accessor.
enum SettingIndex {
  kSetMenu = 0, kSetMemoFont = 1, kSetPrinterFont = 2, kSetAlarmTimer = 3, kSetAcceptCommands = 4,
  kSetMinColumn = 5, kSetDefaultColor = 6, kSetCRMode = 7, kSet3DMode = 8, kSetMove = 9,
  kSetHide = 10, kSetAutoArrange = 11, kSetAccelClose = 12, kSetAbbandConf = 13, kSetIMEOpen = 14,
  kSetOfficeBar = 15, kSetEditTarget = 16, kSetBlinkingMemo = 17, kSetEditDialog = 18,
  kSetPropertiesDialog = 19, kSetTrashDialog = 20, kSetCxMergin = 21, kSetCyMergin = 22,
  kSetCyInterval = 23, kSetAlarmFname = 24,
};

// The record of the main window, or null before WM_CREATE and after destruction.
SettingsRecord* GetSettingsRecord(HWND mainWindow);

// Reads field `index` (0-24); 24 gives the address of the AlarmFname text.
intptr_t GetSetting(HWND mainWindow, int index);
// Writes field `index`; for 24, `value` is the address of a NUL-terminated text to copy.
void SetSetting(HWND mainWindow, int index, intptr_t value);

// What start-up hands to the main window's creation.
struct MainWindowParams {
  std::string settingsPath;  // empty: use no settings file
  const IniDocument* settings = nullptr;  // the file as read at start-up
  SettingsFileStamp stamp;                // the version read
};

}  // namespace pinlark
