// Printing one memo or all memos on one page, through the system's print dialog.
#pragma once

#include <windows.h>

namespace pinlark {

void PrintMemo(HWND memo);
void PrintAllMemos(HWND mainWindow);

}  // namespace pinlark
