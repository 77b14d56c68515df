#include "edit/clipboard_commands.h"

#include <shellapi.h>

#include <cstdio>

#include "app/error_report.h"
#include "app/help.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "edit/clipboard_rules.h"
#include "edit/clipboard_text.h"
#include "edit/text_convert.h"
#include "memo/memo_record.h"
#include "memo/memo_store.h"
#include "memo/memo_window.h"
#include "memo/text_escape.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

constexpr UINT kSimpleBeep = 0xFFFFFFFF;

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

void Beep() { MessageBeep(kSimpleBeep); }

// What every change of the memo set from the clipboard ends with, whatever AutoArrange says.
void ArrangeAndSave(HWND mainWindow) {
  SendMessageA(mainWindow, WM_COMMAND, IDM_ARRANGE, 0);
  SaveAllMemos(mainWindow);
}

// A new, zero-filled global block holding the memo's whole text and its terminator; null when
// it cannot be had.
HGLOBAL TextBlock(HWND memo) {
  const int length = GetWindowTextLengthA(memo);
  const SIZE_T size = static_cast<SIZE_T>(length > 0 ? length : 0) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (block == nullptr) return nullptr;
  char* bytes = static_cast<char*>(GlobalLock(block));
  if (bytes == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  // Zero-filled, so the text stays terminated even if the window gives fewer bytes than its
  // length promised.
  GetWindowTextA(memo, bytes, static_cast<int>(size));
  GlobalUnlock(block);
  return block;
}

void ReportShellFailure(HWND mainWindow, INT_PTR result) {
  const ShellOpenReport report = ReportForShellResult(result);
  switch (report.kind) {
    case ShellOpenReport::kNone: break;
    case ShellOpenReport::kSystemError:
      SetLastError(report.lastError);
      ReportError(mainWindow, text::kCannotOpenFile);
      break;
    case ShellOpenReport::kNumbered: {
      char message[sizeof text::kShellExecuteError + 24];
      std::snprintf(message, sizeof message, text::kShellExecuteError, static_cast<int>(result));
      MessageBoxA(mainWindow, message, text::kAppName, MB_ICONHAND);
      break;
    }
  }
}

}  // namespace

std::optional<std::string> TextToPaste(const std::string& clipboardText, int command, std::size_t capacity) {
  if (command != IDM_PASTE_HALFWIDTH) return clipboardText;
  // A half-width form that does not fit leaves the memo as it was; nothing is written past the
  // room it has.
  std::string mapped;
  if (!MapText(clipboardText, LCMAP_HALFWIDTH, capacity, &mapped)) return std::nullopt;
  return mapped;
}

void PasteIntoMemo(HWND memo, int command) {
  HWND mainWindow = MainWindowOfMemo(memo);
  std::string clipboardText;
  if (!ReadClipboardText(mainWindow, &clipboardText)) {
    Beep();
    return;
  }
  const std::optional<std::string> pasted = TextToPaste(clipboardText, command);
  if (!pasted) {
    Beep();
    return;
  }
  // A memo holds at most kMemoTextMax bytes: a longer result keeps what fits, cut between two
  // characters, and the beep tells the user that some of the text was left out.
  const std::optional<PastedMemoText> joined = AppendPastedText(MemoText(memo), *pasted, kMemoTextMax, SystemLeadByte);
  if (!joined) {
    Beep();
    return;
  }
  if (joined->cut) Beep();
  SetWindowTextA(memo, joined->text.c_str());
  InvalidateRect(memo, nullptr, FALSE);
  AutoSizeMemo(memo);
  ArrangeAndSave(mainWindow);
}

void NewMemoFromClipboard(HWND mainWindow) {
  std::string clipboardText;
  if (!ReadClipboardText(mainWindow, &clipboardText)) {
    Beep();
    return;
  }
  HWND memo = CreateMemoWindow(mainWindow, kKindMemo);
  if (memo == nullptr) return;  // already told
  // The clipboard may hold one byte more than a memo: that text is cut between two characters.
  const std::string text = FitText(clipboardText, kMemoTextMax, SystemLeadByte);
  if (text.size() < clipboardText.size()) Beep();
  SetWindowTextA(memo, text.c_str());
  SetMemoField(memo, kMemoColor, GetSettingsRecord(mainWindow)->app.defaultColor);
  SetMemoField(memo, kMemoTopMost, 0);
  SetMemoField(memo, kMemoNoArrange, 0);
  SetMemoField(memo, kMemoNoMinClm, 0);
  AutoSizeMemo(memo);
  // Shown even while the memos are hidden: the user has just asked for it.
  ShowWindow(memo, SW_SHOWNORMAL);
  ArrangeAndSave(mainWindow);
}

void CopyMemoToClipboard(HWND memo) {
  HWND mainWindow = MainWindowOfMemo(memo);
  if (!OpenClipboard(mainWindow)) {
    MessageBoxA(mainWindow, text::kClipboardOpenFailed, text::kAppName, MB_ICONHAND);
    return;
  }
  // The block is made before the clipboard is emptied, so a failure leaves the old contents.
  HGLOBAL block = TextBlock(memo);
  if (block == nullptr) {
    CloseClipboard();
    MessageBoxA(mainWindow, text::kOutOfMemory, text::kAppName, MB_ICONHAND);
    return;
  }
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, block) != nullptr) {
    CloseClipboard();
    return;
  }
  // The clipboard is emptied by now and did not take the text: the user hears why.
  const DWORD error = GetLastError();
  GlobalFree(block);  // still ours when the clipboard did not take it
  // Closed before the message: the box runs a message loop, and other programs must not find the
  // clipboard held meanwhile.
  CloseClipboard();
  SetLastError(error);
  ReportError(mainWindow, text::kClipboardSetFailed);
}

void OpenFromMemo(HWND memo) {
  HWND mainWindow = MainWindowOfMemo(memo);
  const std::optional<std::string> target = ShellTarget(MemoText(memo));
  if (!target) {
    Beep();
    return;
  }
  char systemFolder[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryA(systemFolder, MAX_PATH);
  const char* folder = length > 0 && length < MAX_PATH ? systemFolder : nullptr;
  const INT_PTR result = ShellOpen(mainWindow, target->c_str(), folder, SW_SHOW);
  ReportShellFailure(mainWindow, result);
}

}  // namespace pinlark
