// The arrange and lower commands on the real memo windows.
#pragma once

#include <windows.h>

#include <vector>

#include "app/geometry.h"
#include "arrange/arrangement.h"

namespace pinlark {

// The work area now: the screen less the taskbar and, when OfficeBar is on, the office bar.
Rect CurrentWorkArea(HWND mainWindow);
// Its corner, margins included: where the columns and a first memo start.
ScreenPoint CurrentWorkAreaCorner(HWND mainWindow);

// The memos of the memo list ordered by top (equal tops in list order); with skipExcluded the
// memos marked NoArrange are left out. Entries carry their memo-list slot.
std::vector<ArrangeEntry> BuildArrangementList(HWND mainWindow, bool skipExcluded);

// Lines the memos up in columns inside the work area from its corner and clears Move.
void ArrangeMemos(HWND mainWindow);
// Arranges only when AutoArrange is on.
void ArrangeIfAutomatic(HWND mainWindow);
// Sends every memo that is not always on top to the bottom of the window stack.
void LowerAllMemos(HWND mainWindow);

}  // namespace pinlark
