// The memo commands that exchange text with the clipboard, and opening a memo's first line.
#pragma once

#include <windows.h>

namespace pinlark {

// Appends the clipboard text to the memo (command IDM_PASTE or IDM_PASTE_HALFWIDTH).
void PasteIntoMemo(HWND memo, int command);
// A new memo holding the clipboard text.
void NewMemoFromClipboard(HWND mainWindow);
// The memo's whole text onto the clipboard.
void CopyMemoToClipboard(HWND memo);
// Hands the memo's first line to the shell's "open".
void OpenFromMemo(HWND memo);

}  // namespace pinlark
