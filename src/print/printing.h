// Printing one memo or all memos through the system's print dialog, on as many pages as the
// text needs, in as many copies as the user asks for.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pinlark {

// Command IDM_PRINT_MEMO of a memo window.
void PrintMemo(HWND memo);
// Command IDM_PRINT_ALL of the main window: every memo of the memo list (hidden ones and those
// left out of the arrangement too), top to bottom, each followed by a line across the page.
void PrintAllMemos(HWND mainWindow);

// The pages of a print laid out: each page's lines of text (views into `texts`) and rules
// across the page, with their tops counted from the page's top.
struct PrintedPages {
  struct Item {
    int32_t y;
    bool rule;              // a line across the page, else a line of text
    std::string_view text;
  };
  std::vector<std::string> texts;
  std::vector<std::vector<Item>> pages;
  int32_t width = 0;
};

// The print-all laid out in the dc's current font on pages `width` × `height` device pixels:
// lines wider than the page wrap, and what passes the bottom of a page goes on the next.
PrintedPages LayOutAllMemos(HWND mainWindow, HDC dc, int32_t width, int32_t height);
// Draws one page of `pages` on `dc` in its current font and pen.
void DrawPrintedPage(HDC dc, const PrintedPages& pages, std::size_t page);
// The first page of a print-all on the dc's own printable area (all of it when it fits).
void DrawAllMemosPage(HWND mainWindow, HDC dc);

// A copy of `memoFont` with its height scaled from the screen's resolution to the printer's;
// null when it cannot be made.
HFONT CreatePrinterFont(HFONT memoFont, int printerDpi, int screenDpi);

// The copies chosen in the print dialog, which the program prints itself.
struct PrintCopies {
  int count = 1;
  bool collate = false;
};

// How the printer is chosen: the system's print dialog, owned by `owner`, giving the printer's
// device context or null (cancelled, no printer), and filling in the copies asked for. Tests
// put their own in place; returns the function it replaces.
using ChoosePrinterFunction = HDC (*)(HWND owner, PrintCopies* copies);
ChoosePrinterFunction SetChoosePrinterFunction(ChoosePrinterFunction choose);

}  // namespace pinlark
