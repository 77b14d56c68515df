#include "edit/clipboard_commands.h"

namespace pinlark {

void PasteIntoMemo(HWND /*memo*/, int /*command*/) {}

void NewMemoFromClipboard(HWND /*mainWindow*/) {}

void CopyMemoToClipboard(HWND /*memo*/) {}

void OpenFromMemo(HWND /*memo*/) {}

}  // namespace pinlark
