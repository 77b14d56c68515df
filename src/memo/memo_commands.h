// What a memo does on its own: its context menu, the commands of that menu that concern it,
// deleting it, and the end of a move by the user.
#pragma once

#include <windows.h>

namespace pinlark {

// Sets the check marks of "常に前面に表示" and "整列の対象外" from the memo and greys the paste
// items when the clipboard holds no text; returns the memo menu.
HMENU PrepareMemoMenu(HWND memo);
// Shows the memo menu at the cursor; the chosen command comes back to the memo.
void ShowMemoMenu(HWND memo);

// WM_COMMAND of a memo window: its own commands, everything else handed to the main window.
void OnMemoCommand(HWND memo, WPARAM wParam, LPARAM lParam);

// Into the trash, or, with Shift held and the user's OK, for good. A full trash drops its oldest.
void DeleteMemo(HWND memo);

// The user let go of a dragged memo.
void OnMemoMoveEnded(HWND memo);

}  // namespace pinlark
