#include "trash/trash_dialog.h"

namespace pinlark {

void OpenTrashDialog(HWND /*mainWindow*/) {}

void RefreshTrashDialog(HWND /*mainWindow*/) {}

}  // namespace pinlark
