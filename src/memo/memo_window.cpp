#include "memo/memo_window.h"

#include <new>
#include <vector>

#include "app/error_report.h"
#include "app/ime.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "arrange/arrange_commands.h"
#include "arrange/arrangement.h"
#include "memo/memo_commands.h"
#include "memo/memo_list.h"
#include "memo/memo_paint.h"
#include "memo/memo_record.h"
#include "memo/memo_sizing.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

LRESULT OnMemoCreate(HWND memo) {
  auto* record = new (std::nothrow) MemoRecord;
  if (record == nullptr) return -1;
  SetWindowLongPtrA(memo, 0, reinterpret_cast<LONG_PTR>(record));
  return 0;
}

void OnMemoFinalDestroy(HWND memo) {
  delete reinterpret_cast<MemoRecord*>(GetWindowLongPtrA(memo, 0));
  SetWindowLongPtrA(memo, 0, 0);
}

ScreenPoint NewMemoPlace(HWND mainWindow, const SettingsRecord* r, MemoKind kind) {
  const Extent screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (kind == kKindTrash || r->memoCount == 0) {
    return NewMemoPosition(screen, r->app.cxMergin, r->app.cyMergin, {}, true, CurrentWorkAreaCorner(mainWindow));
  }
  std::vector<Rect> arranged;
  for (int i = 0; i < r->memoCount; ++i) {
    if (GetMemoField(r->memos[i], kMemoNoArrange) != 0) continue;
    RECT rect;
    GetWindowRect(r->memos[i], &rect);
    arranged.push_back({rect.left, rect.top, rect.right, rect.bottom});
  }
  return NewMemoPosition(screen, r->app.cxMergin, r->app.cyMergin, arranged, false, {});
}

}  // namespace

LRESULT CALLBACK MemoWindowProc(HWND memo, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnMemoCreate(memo);
    case WM_NCDESTROY:
      OnMemoFinalDestroy(memo);
      return DefWindowProcA(memo, message, wParam, lParam);
    case WM_SETTEXT:
      ForgetStoredText(memo);
      return DefWindowProcA(memo, message, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;  // painting covers the whole client area
    case WM_PAINT:
      PaintMemo(memo);
      return 0;
    case WM_ACTIVATE:
      SendMessageA(MainWindowOfMemo(memo), WM_MEMO_ACTIVATE, wParam, lParam);
      return 0;
    case WM_SETFOCUS:
      EnableInputMethod(false);
      return 0;
    case WM_KILLFOCUS:
      EnableInputMethod(true);
      return 0;
    case WM_NCHITTEST:
      return HTCAPTION;  // the whole memo is its own caption: a drag moves it
    case WM_NCLBUTTONDBLCLK:
      SendMessageA(memo, WM_COMMAND, IDM_EDIT_MEMO, 0);
      return 0;
    case WM_NCRBUTTONDOWN:
      ShowMemoMenu(memo);
      return 0;
    case WM_COMMAND:
      OnMemoCommand(memo, wParam, lParam);
      return 0;
    case WM_EXITSIZEMOVE:
      OnMemoMoveEnded(memo);
      return 0;
    default:
      return DefWindowProcA(memo, message, wParam, lParam);
  }
}

HWND CreateMemoWindow(HWND mainWindow, MemoKind kind, const RECT* place) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  const int count = kind == kKindMemo ? r->memoCount : r->trashCount;
  if (count >= kListCapacity) {
    ShowError(mainWindow, text::kTooManyMemos);
    return nullptr;
  }
  RECT at;
  if (place != nullptr) {
    at = *place;
  } else {
    const ScreenPoint corner = NewMemoPlace(mainWindow, r, kind);
    at = {corner.x, corner.y, corner.x + kNewMemoWidth, corner.y + kNewMemoHeight};
  }
  HWND memo = CreateWindowExA(0, text::kMemoClass, "", WS_POPUP, at.left, at.top, at.right - at.left,
                              at.bottom - at.top, mainWindow, nullptr, r->instance, nullptr);
  if (memo == nullptr) {
    ReportError(mainWindow, text::kMemoWindowFailed);
    return nullptr;
  }
  if (kind == kKindMemo) {
    ListAppend(r->memos, r->memoCount, memo);
  } else {
    ListAppend(r->trash, r->trashCount, memo);
  }
  return memo;
}

void AutoSizeMemo(HWND memo) {
  HWND mainWindow = MainWindowOfMemo(memo);
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  const int32_t move = r->app.move;
  const int columns = GetMemoField(memo, kMemoNoMinClm) != 0 ? 10 : r->app.minColumn;
  const std::string text = MemoText(memo);

  HDC dc = GetDC(memo);
  HGDIOBJ oldFont = r->memoFont != nullptr ? SelectObject(dc, r->memoFont) : nullptr;
  SIZE size;
  GetTextExtentPoint32A(dc, "1234", 4, &size);
  int tabWidth = size.cx;
  const std::string xs(columns > 0 ? static_cast<std::size_t>(columns) : 0, 'x');
  GetTextExtentPoint32A(dc, xs.c_str(), static_cast<int>(xs.size()), &size);
  const Extent extent = MemoTextExtent(text, {size.cx, size.cy}, [&](std::string_view line) {
    const DWORD measured = GetTabbedTextExtentA(dc, line.data(), static_cast<int>(line.size()), 1, &tabWidth);
    return Extent{LOWORD(measured), HIWORD(measured)};
  });
  if (oldFont != nullptr) SelectObject(dc, oldFont);
  ReleaseDC(memo, dc);

  RECT old;
  GetWindowRect(memo, &old);
  const Rect sized = AutoSizedRect({old.left, old.top, old.right, old.bottom}, extent, GetSystemMetrics(SM_CXBORDER),
                                   GetSystemMetrics(SM_CYBORDER), GetMemoField(memo, kMemoNoArrange) != 0);
  SetWindowPos(memo, GetMemoField(memo, kMemoTopMost) != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, sized.left, sized.top,
               sized.Width(), sized.Height(), 0);
  r->app.move = move;
}

void RelayoutAllMemos(HWND mainWindow) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  for (int i = 0; i < r->memoCount; ++i) {
    AutoSizeMemo(r->memos[i]);
    InvalidateRect(r->memos[i], nullptr, TRUE);
  }
  if (r->app.move == 0) SendMessageA(mainWindow, WM_COMMAND, IDM_ARRANGE, 0);
}

}  // namespace pinlark
