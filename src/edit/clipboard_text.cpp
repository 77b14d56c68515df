#include "edit/clipboard_text.h"

#include <windows.h>

namespace pinlark {

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

}  // namespace pinlark
