#include "print/printing.h"

#include <commdlg.h>

#include <optional>
#include <vector>

#include "app/error_report.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "arrange/arrange_commands.h"
#include "memo/memo_record.h"
#include "memo/text_lines.h"
#include "print/print_rules.h"

namespace pinlark {
namespace {

// The user picks the printer, its settings and the copies, but no page range and no
// selection. Without PD_USEDEVMODECOPIESANDCOLLATE the dialog leaves the copies to the program
// (the printer itself is set to one), so they are printed page by page below.
HDC ChooseWithPrintDialog(HWND owner, PrintCopies* copies) {
  PRINTDLGA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
  dialog.nCopies = 1;
  const BOOL chosen = PrintDlgA(&dialog);
  // The dialog hands over its printer settings even when they are not needed any more.
  if (dialog.hDevMode != nullptr) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames != nullptr) GlobalFree(dialog.hDevNames);
  copies->count = dialog.nCopies;
  copies->collate = (dialog.Flags & PD_COLLATE) != 0;
  return chosen ? dialog.hDC : nullptr;
}

ChoosePrinterFunction g_choosePrinter = ChooseWithPrintDialog;

// Printed lines keep the tab stops of a painted memo: every width of "1234", counted from 2.
constexpr int kTabOrigin = 2;

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// The width of "1234" (the tab width) and the line height in the dc's current font.
SIZE TextCell(HDC dc) {
  SIZE cell = {0, 0};
  GetTextExtentPoint32A(dc, "1234", 4, &cell);
  return cell;
}

// Every memo of the memo list, hidden and unarranged ones too, by the top of its window.
std::vector<HWND> AllMemosByTop(HWND mainWindow) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  std::vector<HWND> memos;
  for (const ArrangeEntry& entry : BuildArrangementList(mainWindow, false)) memos.push_back(r->memos[entry.slot]);
  return memos;
}

// The memos' lines, wrapped at `width` and flowed down pages `height` tall; with `rules`, a
// rule a gap below each memo and another gap before the next.
PrintedPages LayOut(HDC dc, const std::vector<HWND>& memos, bool rules, int32_t width, int32_t height) {
  PrintedPages pages;
  pages.width = width;
  pages.texts.reserve(memos.size());  // the items point into these strings
  for (HWND memo : memos) pages.texts.push_back(MemoText(memo));
  const SIZE cell = TextCell(dc);
  INT tabWidth = cell.cx;
  // Drawn from x = 0 with tab stops counted from 2, a line with a tab can come out up to 2
  // pixels wider than measured from its start: those are counted in. Pieces measured are at
  // most about twice the page's width, well within the 16 bits the extent comes back in.
  const MeasureWidth measure = [dc, &tabWidth](std::string_view piece) {
    const DWORD extent = GetTabbedTextExtentA(dc, piece.data(), static_cast<int>(piece.size()), 1, &tabWidth);
    return static_cast<int32_t>(LOWORD(extent)) + (piece.find('\t') != std::string_view::npos ? kTabOrigin : 0);
  };
  const int32_t gap = PrintGap(GetDeviceCaps(dc, LOGPIXELSY));
  PageFlow flow(height);
  auto place = [&](int32_t bandHeight, bool rule, std::string_view text) {
    const int32_t y = flow.Place(bandHeight);
    if (pages.pages.size() < flow.pageCount()) pages.pages.resize(flow.pageCount());
    pages.pages[flow.page()].push_back({y, rule, text});
  };
  for (const std::string& text : pages.texts) {
    for (std::string_view line : LayoutLines(text, SystemLeadByte)) {
      for (std::string_view piece : WrapPrintedLine(line, width, measure, SystemLeadByte)) {
        place(cell.cy, false, piece);
        flow.Advance(cell.cy);
      }
    }
    if (!rules) continue;
    flow.Advance(gap);
    place(1, true, {});
    flow.Advance(gap);
  }
  if (pages.pages.empty()) pages.pages.resize(1);  // nothing to print is one empty page
  return pages;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi;
}

// Opens a job on a printer the user chooses, with its first page; null when cancelled or
// failed (a failure is reported over `reportWindow`). The memo font goes with it, scaled to the
// printer.
HDC StartPrinting(HWND reportWindow, HWND owner, PrintCopies* copies) {
  HDC dc = g_choosePrinter(owner, copies);
  if (dc == nullptr) return nullptr;

  DOCINFOA document = {};
  document.cbSize = sizeof document;
  document.lpszDocName = text::kPrintDocName;
  const bool docStarted = StartDocA(dc, &document) > 0;
  if (!docStarted || StartPage(dc) <= 0) {
    // The report needs the error of the failed call; the clean-up comes after it. A started
    // document is abandoned rather than left open on the printer.
    ReportError(reportWindow, text::kPrintStartFailed);
    if (docStarted) AbortDoc(dc);
    DeleteDC(dc);
    return nullptr;
  }

  SettingsRecord* r = GetSettingsRecord(reportWindow);
  if (r->memoFont != nullptr) {
    r->printerFont = CreatePrinterFont(r->memoFont, GetDeviceCaps(dc, LOGPIXELSY), ScreenDpi());
    if (r->printerFont != nullptr) SelectObject(dc, r->printerFont);
  }
  return dc;
}

// Ends the page and the job and lets go of the printer and its font whatever happened. A job
// whose pages could not all be started (`pageFailure`, the error of that call) is reported as
// unfinished too.
bool FinishPrinting(HWND reportWindow, HDC dc, std::optional<DWORD> pageFailure) {
  const int pageEnded = EndPage(dc);
  if (pageEnded < 0 && !pageFailure) pageFailure = GetLastError();
  const int docEnded = EndDoc(dc);
  if (docEnded < 0 && !pageFailure) pageFailure = GetLastError();
  DeleteDC(dc);
  SettingsRecord* r = GetSettingsRecord(reportWindow);
  if (r->printerFont != nullptr) {
    DeleteObject(r->printerFont);
    r->printerFont = nullptr;
  }
  if (pageFailure) {
    SetLastError(*pageFailure);
    ReportError(reportWindow, text::kPrintFinishFailed);
  }
  return !pageFailure;
}

// Lays out and prints `memos` (one memo, or every memo with a rule after each) on the open
// job, each page as often as the copies ask, and closes the job.
void PrintPages(HWND reportWindow, HDC dc, const std::vector<HWND>& memos, bool rules, const PrintCopies& copies) {
  const PrintedPages pages =
      LayOut(dc, memos, rules, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
  const HFONT font = GetSettingsRecord(reportWindow)->printerFont;
  std::optional<DWORD> failure;
  bool first = true;
  for (std::size_t page : PrintOrder(pages.pages.size(), copies.count, copies.collate)) {
    if (!first) {
      // The first page was opened with the job; each further one follows the last.
      if (EndPage(dc) < 0 || StartPage(dc) <= 0) {
        failure = GetLastError();
        break;
      }
      // Some systems reset the context at a new page: the font goes in again.
      if (font != nullptr) SelectObject(dc, font);
    }
    first = false;
    DrawPrintedPage(dc, pages, page);
  }
  FinishPrinting(reportWindow, dc, failure);
}

}  // namespace

ChoosePrinterFunction SetChoosePrinterFunction(ChoosePrinterFunction choose) {
  const ChoosePrinterFunction previous = g_choosePrinter;
  g_choosePrinter = choose != nullptr ? choose : ChooseWithPrintDialog;
  return previous;
}

HFONT CreatePrinterFont(HFONT memoFont, int printerDpi, int screenDpi) {
  LOGFONTA font;
  if (GetObjectA(memoFont, sizeof font, &font) != sizeof font) return nullptr;
  font.lfHeight = PrinterFontHeight(font.lfHeight, printerDpi, screenDpi);
  return CreateFontIndirectA(&font);
}

void PrintMemo(HWND memo) {
  HWND mainWindow = MainWindowOfMemo(memo);
  PrintCopies copies;
  HDC dc = StartPrinting(mainWindow, memo, &copies);
  if (dc == nullptr) return;
  PrintPages(mainWindow, dc, {memo}, false, copies);
}

PrintedPages LayOutAllMemos(HWND mainWindow, HDC dc, int32_t width, int32_t height) {
  return LayOut(dc, AllMemosByTop(mainWindow), true, width, height);
}

void DrawPrintedPage(HDC dc, const PrintedPages& pages, std::size_t page) {
  SetBkMode(dc, TRANSPARENT);
  INT tabWidth = TextCell(dc).cx;
  for (const PrintedPages::Item& item : pages.pages[page]) {
    if (item.rule) {
      MoveToEx(dc, 0, item.y, nullptr);
      LineTo(dc, pages.width, item.y);
    } else {
      TabbedTextOutA(dc, 0, item.y, item.text.data(), static_cast<int>(item.text.size()), 1, &tabWidth, kTabOrigin);
    }
  }
}

void DrawAllMemosPage(HWND mainWindow, HDC dc) {
  DrawPrintedPage(dc, LayOutAllMemos(mainWindow, dc, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)), 0);
}

void PrintAllMemos(HWND mainWindow) {
  PrintCopies copies;
  HDC dc = StartPrinting(mainWindow, mainWindow, &copies);
  if (dc == nullptr) return;
  PrintPages(mainWindow, dc, AllMemosByTop(mainWindow), true, copies);
}

}  // namespace pinlark
