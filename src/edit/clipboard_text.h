// Plain text on the clipboard.
#pragma once

namespace pinlark {

// Whether the clipboard holds text (CF_TEXT); greys the paste commands when it does not.
bool ClipboardHasText();

}  // namespace pinlark
