#include "print/printing.h"

namespace pinlark {

void PrintMemo(HWND /*memo*/) {}

void PrintAllMemos(HWND /*mainWindow*/) {}

}  // namespace pinlark
