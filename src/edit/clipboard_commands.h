// The memo commands that exchange text with the clipboard, and opening a memo's first line.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

namespace pinlark {

// Room for the half-width form of a clipboard text: the longest text a paste reads.
inline constexpr std::size_t kHalfWidthPasteCapacity = 65535;

// Appends the clipboard text to the memo on a line of its own (command IDM_PASTE, or
// IDM_PASTE_HALFWIDTH for its half-width form; the clipboard keeps what it holds), then arranges
// the memos and saves them. A beep and nothing else when there is no text to paste.
void PasteIntoMemo(HWND memo, int command);
// A new memo holding the clipboard text, shown even while the memos are hidden; then the memos
// are arranged and saved. A beep when the clipboard holds no text.
void NewMemoFromClipboard(HWND mainWindow);
// The memo's whole text onto the clipboard as plain text. When that fails the user is told and
// the clipboard keeps what it held.
void CopyMemoToClipboard(HWND memo);
// Hands the memo's first line to the shell's "open", with the system folder as the working
// folder, and tells the user when the shell cannot open it.
void OpenFromMemo(HWND memo);

// The text a paste command adds: the clipboard text itself, or for IDM_PASTE_HALFWIDTH its
// half-width form. Nothing when that form cannot be made or would take more than `capacity`
// bytes.
std::optional<std::string> TextToPaste(const std::string& clipboardText, int command,
                                       std::size_t capacity = kHalfWidthPasteCapacity);

}  // namespace pinlark
