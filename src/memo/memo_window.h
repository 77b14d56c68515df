// Memo windows: creating them, sizing them to their text, laying them all out again.
#pragma once

#include <windows.h>

namespace pinlark {

enum MemoKind { kKindMemo = 0, kKindTrash = 1 };

LRESULT CALLBACK MemoWindowProc(HWND memo, UINT message, WPARAM wParam, LPARAM lParam);

// A hidden 50 x 10 memo window at the new-memo position (or at `place`, in its size), with a
// zero-filled record and no text, appended to the memo list or the trash list. Null (after
// telling the user) when the list is full or the window cannot be made.
HWND CreateMemoWindow(HWND mainWindow, MemoKind kind, const RECT* place = nullptr);

// Sizes the memo to its text in the memo font, keeping its right edge (its left edge when it
// is not arranged), and puts it in its z-order band.
void AutoSizeMemo(HWND memo);

// After a change of font or settings: every memo sized and repainted, then arranged unless the
// user has moved memos by hand since the last arrange.
void RelayoutAllMemos(HWND mainWindow);

}  // namespace pinlark
