// Memos and trash memos in the settings file: saving all of them in one transaction, loading
// them at start-up, and the sample memo of a first start.
#pragma once

#include <windows.h>

#include "app/ini_document.h"

namespace pinlark {

// Puts the eight keys of all 64 memo slots and all 64 trash slots into `ini`: the keys of
// memos that exist, and none for empty slots.
void WriteAllMemos(HWND mainWindow, IniDocument* ini);

// Saves every memo and trash memo in one write of the settings file. A failure is reported once
// ("保存に失敗しました") and nothing in memory is lost: the next save writes everything. A run
// without a settings file says so at its first save.
bool SaveAllMemos(HWND mainWindow);

// At start-up: the memos and trash memos of `settings`, then Move; with no settings file
// (`fileExists` false) the arranged sample memo instead.
void LoadAllMemos(HWND mainWindow, const IniDocument& settings, bool fileExists);

}  // namespace pinlark
