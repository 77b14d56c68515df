// Plain text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace pinlark {

// Whether the clipboard holds text (CF_TEXT); greys the paste commands when it does not.
bool ClipboardHasText();

// The clipboard's text, at most kClipboardReadMax bytes of it and never half a character, read
// with `owner` (the main window) as the clipboard's owner and the clipboard closed again before
// returning. False when
// the clipboard cannot be opened or holds no text (silently), or when its text cannot be read
// (after telling the user).
bool ReadClipboardText(HWND owner, std::string* text);

}  // namespace pinlark
