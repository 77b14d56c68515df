#include "props/properties_dialog.h"

namespace pinlark {

void OpenPropertiesDialog(HWND /*mainWindow*/) {}

}  // namespace pinlark
