#include "print/printing.h"

#include <commdlg.h>

#include <vector>

#include "app/error_report.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "arrange/arrange_commands.h"
#include "memo/memo_paint.h"
#include "memo/memo_record.h"
#include "print/print_rules.h"

namespace pinlark {
namespace {

// The user picks the printer and its settings, but no page range and no selection.
HDC ChooseWithPrintDialog(HWND owner) {
  PRINTDLGA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
  const BOOL chosen = PrintDlgA(&dialog);
  // The dialog hands over its printer settings even when they are not needed any more.
  if (dialog.hDevMode != nullptr) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames != nullptr) GlobalFree(dialog.hDevNames);
  return chosen ? dialog.hDC : nullptr;
}

ChoosePrinterFunction g_choosePrinter = ChooseWithPrintDialog;

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi;
}

// Opens a one-page job on a printer the user chooses; null when cancelled or failed (a
// failure is reported over `reportWindow`). The memo font goes with it, scaled to the printer.
HDC StartPrinting(HWND reportWindow, HWND owner) {
  HDC dc = g_choosePrinter(owner);
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

// Ends the page and the job and lets go of the printer and its font whatever happened.
bool FinishPrinting(HWND reportWindow, HDC dc) {
  const int pageEnded = EndPage(dc);
  const int docEnded = EndDoc(dc);
  const bool ok = pageEnded >= 0 && docEnded >= 0;
  const DWORD error = GetLastError();
  DeleteDC(dc);
  SettingsRecord* r = GetSettingsRecord(reportWindow);
  if (r->printerFont != nullptr) {
    DeleteObject(r->printerFont);
    r->printerFont = nullptr;
  }
  if (!ok) {
    SetLastError(error);
    ReportError(reportWindow, text::kPrintFinishFailed);
  }
  return ok;
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
  HDC dc = StartPrinting(mainWindow, memo);
  if (dc == nullptr) return;
  int y = 0;
  DrawMemoText(memo, dc, 0, &y);
  FinishPrinting(mainWindow, dc);
}

void DrawAllMemosPage(HWND mainWindow, HDC dc) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  const int gap = PrintGap(GetDeviceCaps(dc, LOGPIXELSY));
  const int lineLength = GetDeviceCaps(dc, HORZRES);
  int y = 0;
  for (const ArrangeEntry& entry : BuildArrangementList(mainWindow, false)) {
    DrawMemoText(r->memos[entry.slot], dc, 0, &y);
    y += gap;
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, lineLength, y);
    y += gap;
  }
}

void PrintAllMemos(HWND mainWindow) {
  HDC dc = StartPrinting(mainWindow, mainWindow);
  if (dc == nullptr) return;
  DrawAllMemosPage(mainWindow, dc);
  FinishPrinting(mainWindow, dc);
}

}  // namespace pinlark
