#include "memo/memo_commands.h"

#include "alarm/blinking.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "arrange/arrange_commands.h"
#include "edit/clipboard_commands.h"
#include "edit/clipboard_text.h"
#include "edit/edit_dialog.h"
#include "memo/memo_list.h"
#include "memo/memo_record.h"
#include "memo/memo_store.h"
#include "print/printing.h"
#include "res/resource_ids.h"
#include "trash/trash_dialog.h"

namespace pinlark {
namespace {

void ToggleTopMost(HWND memo) {
  const bool topMost = GetMemoField(memo, kMemoTopMost) == 0;
  SetMemoField(memo, kMemoTopMost, topMost ? 1 : 0);
  SetWindowPos(memo, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void ToggleNoArrange(HWND memo) { SetMemoField(memo, kMemoNoArrange, GetMemoField(memo, kMemoNoArrange) == 0); }

// Asks, with the memo blinking, whether to delete it without the trash.
bool ConfirmDeleteForGood(HWND mainWindow, HWND memo) {
  StartBlinking(mainWindow, memo);
  const int answer = MessageBoxA(mainWindow, text::kDeleteForGood, text::kAppName, MB_ICONERROR | MB_OKCANCEL);
  StopBlinking(mainWindow);
  return answer == IDOK;
}

}  // namespace

HMENU PrepareMemoMenu(HWND memo) {
  const SettingsRecord* r = GetSettingsRecord(MainWindowOfMemo(memo));
  HMENU menu = GetSubMenu(r->menu, SUBMENU_MEMO);
  CheckMenuItem(menu, IDM_TOPMOST, MF_BYCOMMAND | (GetMemoField(memo, kMemoTopMost) ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, IDM_NO_ARRANGE,
                MF_BYCOMMAND | (GetMemoField(memo, kMemoNoArrange) ? MF_CHECKED : MF_UNCHECKED));
  const UINT paste = ClipboardHasText() ? MF_ENABLED : MF_GRAYED;
  EnableMenuItem(menu, IDM_PASTE, MF_BYCOMMAND | paste);
  EnableMenuItem(menu, IDM_PASTE_HALFWIDTH, MF_BYCOMMAND | paste);
  return menu;
}

void ShowMemoMenu(HWND memo) {
  SetForegroundWindow(MainWindowOfMemo(memo));
  HMENU menu = PrepareMemoMenu(memo);
  POINT cursor;
  GetCursorPos(&cursor);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, memo, nullptr);
}

void OnMemoCommand(HWND memo, WPARAM wParam, LPARAM lParam) {
  HWND mainWindow = MainWindowOfMemo(memo);
  switch (LOWORD(wParam)) {
    case IDM_DELETE_MEMO:
      DeleteMemo(memo);
      SaveAllMemos(mainWindow);
      break;
    case IDM_DELETE_ARRANGE:
      DeleteMemo(memo);
      SendMessageA(mainWindow, WM_COMMAND, IDM_ARRANGE, 0);
      SaveAllMemos(mainWindow);
      break;
    case IDM_EDIT_MEMO: OpenEditDialog(mainWindow, memo); break;
    case IDM_TOPMOST: ToggleTopMost(memo); break;
    case IDM_NO_ARRANGE: ToggleNoArrange(memo); break;
    case IDM_COPY_MEMO: CopyMemoToClipboard(memo); break;
    case IDM_PRINT_MEMO: PrintMemo(memo); break;
    case IDM_PASTE:
    case IDM_PASTE_HALFWIDTH: PasteIntoMemo(memo, LOWORD(wParam)); break;
    case IDM_OPEN_FROM_MEMO: OpenFromMemo(memo); break;
    default:
      SendMessageA(mainWindow, WM_MEMO_COMMAND, wParam, lParam);
      break;
  }
}

void DeleteMemo(HWND memo) {
  HWND mainWindow = MainWindowOfMemo(memo);
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  const int slot = ListIndexOf(r->memos, r->memoCount, memo);
  if (slot < 0) return;  // already in the trash, or gone
  const bool forGood = GetKeyState(VK_SHIFT) < 0;
  if (forGood && !ConfirmDeleteForGood(mainWindow, memo)) return;
  ListRemoveAt(r->memos, r->memoCount, slot);
  if (forGood) {
    DestroyWindow(memo);
    return;
  }
  ShowWindow(memo, SW_HIDE);
  if (HWND evicted = ListPushFront(r->trash, r->trashCount, memo)) DestroyWindow(evicted);
  RefreshTrashDialog(mainWindow);
  if (GetMemoField(memo, kMemoNoArrange) == 0) ArrangeIfAutomatic(mainWindow);
}

void OnMemoMoveEnded(HWND memo) {
  HWND mainWindow = MainWindowOfMemo(memo);
  GetSettingsRecord(mainWindow)->app.move = 1;
  ArrangeIfAutomatic(mainWindow);
  InvalidateRect(memo, nullptr, TRUE);
}

}  // namespace pinlark
