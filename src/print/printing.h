// Printing one memo or all memos on one page, through the system's print dialog.
#pragma once

#include <windows.h>

namespace pinlark {

// Command IDM_PRINT_MEMO of a memo window.
void PrintMemo(HWND memo);
// Command IDM_PRINT_ALL of the main window: every memo of the memo list (hidden ones and those
// left out of the arrangement too), top to bottom, each followed by a line across the page.
void PrintAllMemos(HWND mainWindow);

// The page of a print-all drawn on `dc` in its current font and pen, using the dc's
// resolution and printable width. Shared with the tests, which draw it into a metafile.
void DrawAllMemosPage(HWND mainWindow, HDC dc);

// A copy of `memoFont` with its height scaled from the screen's resolution to the printer's;
// null when it cannot be made.
HFONT CreatePrinterFont(HFONT memoFont, int printerDpi, int screenDpi);

// How the printer is chosen: the system's print dialog, owned by `owner`, giving the printer's
// device context or null (cancelled, no printer). Tests put their own in place; returns the
// function it replaces.
using ChoosePrinterFunction = HDC (*)(HWND owner);
ChoosePrinterFunction SetChoosePrinterFunction(ChoosePrinterFunction choose);

}  // namespace pinlark
