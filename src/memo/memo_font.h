// The one font of all memos: built from the settings file at start-up, chosen by the user in
// the font dialog, written to the settings file at once when chosen.
#pragma once

#include <windows.h>

#include "app/ini_document.h"

namespace pinlark {

// The stored memo font, or null for the system font (also when the font cannot be created).
HFONT LoadMemoFont(const IniDocument& settings);

// Runs the font dialog owned by `ownerDialog`, whose parent is the main window. On OK the
// chosen font becomes the memo font, the memos are laid out again and the five font keys are
// written. Returns true when a font was chosen.
bool ChooseMemoFont(HWND ownerDialog);

}  // namespace pinlark
