#include "trash/trash_dialog.h"

#include "app/dialog_place.h"
#include "app/help.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "memo/memo_list.h"
#include "memo/memo_record.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

// The dialog keeps only its main window, on DWLP_USER; everything else is in the settings record.
//
// Each list box entry carries its trash memo's window as item data, and every operation finds
// the memo's slot in the trash list again from that window, never from the entry's position.
// Memo windows stay usable while the dialog is open, so the trash list can change under it (a
// memo deleted into the trash, the oldest trash memo dropped when the trash is full), even while
// one of its questions is on screen; the user's choice then still reaches the memo they chose,
// or nothing when that memo has gone, but never its neighbour.

HWND MainWindowOf(HWND dialog) { return reinterpret_cast<HWND>(GetWindowLongPtrA(dialog, DWLP_USER)); }

SettingsRecord* RecordOf(HWND dialog) { return GetSettingsRecord(MainWindowOf(dialog)); }

HWND TrashList(HWND dialog) { return GetDlgItem(dialog, IDC_TRASH_LIST); }

void UpdateButtons(HWND dialog) {
  const bool selected = SendMessageA(TrashList(dialog), LB_GETCURSEL, 0, 0) != LB_ERR;
  HWND focus = GetFocus();
  EnableWindow(GetDlgItem(dialog, IDOK), selected);
  EnableWindow(GetDlgItem(dialog, IDC_TRASH_DELETE), selected);
  EnableWindow(GetDlgItem(dialog, IDC_TRASH_EMPTY), TRUE);
  // A button that was just used and is now disabled loses the keyboard focus to nothing, and
  // no key would reach the dialog any more: the list takes it.
  if (focus != nullptr && IsChild(dialog, focus) && !IsWindowEnabled(focus)) SetFocus(TrashList(dialog));
}

// A trash memo whose window has been destroyed elsewhere can be neither shown nor restored; it
// leaves the trash list instead of lingering there as a dead handle.
void DropVanishedMemos(SettingsRecord* r) {
  for (int i = r->trashCount - 1; i >= 0; --i) {
    if (!IsWindow(r->trash[i])) ListRemoveAt(r->trash, r->trashCount, i);
  }
}

// Fills the list box from the trash list: entry i is trash memo i, showing its whole text, line
// breaks included. The entry of `keep` is selected if that memo is still in the trash; otherwise
// nothing is. The list keeps its scroll position as far as its new length allows.
void ShowTrash(HWND dialog, HWND keep) {
  SettingsRecord* r = RecordOf(dialog);
  HWND list = TrashList(dialog);
  DropVanishedMemos(r);
  const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < r->trashCount; ++i) {
    const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(MemoText(r->trash[i]).c_str()));
    if (at >= 0) SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(r->trash[i]));
  }
  if (top > 0) SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  const int selected = keep != nullptr ? ListIndexOf(r->trash, r->trashCount, keep) : -1;
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateButtons(dialog);
}

// The trash memo of the selected entry, or null when nothing is selected.
HWND SelectedMemo(HWND dialog) {
  HWND list = TrashList(dialog);
  const LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (at == LB_ERR) return nullptr;
  const LRESULT data = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(at), 0);
  return data == LB_ERR ? nullptr : reinterpret_cast<HWND>(data);
}

void OnInitDialog(HWND dialog, HWND mainWindow) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(mainWindow));
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  r->trashDialog = dialog;
  CentreDialogOnScreen(mainWindow, dialog);
  DropVanishedMemos(r);
  ShowTrash(dialog, r->trashCount > 0 ? r->trash[0] : nullptr);
  SetFocus(TrashList(dialog));
}

// Back into the memo list, as it was and where it was. Neither arranged nor saved: the next
// save writes it.
void RestoreSelected(HWND dialog) {
  HWND memo = SelectedMemo(dialog);
  if (memo == nullptr) return;
  SettingsRecord* r = RecordOf(dialog);
  if (r->memoCount >= kMaxMemos) {
    MessageBoxA(dialog, text::kTooManyMemos, text::kAppName, MB_ICONERROR | MB_OK);
    return;
  }
  const int slot = ListIndexOf(r->trash, r->trashCount, memo);
  if (slot < 0 || !IsWindow(memo)) {
    ShowTrash(dialog, nullptr);  // the entry was out of date: show what the trash holds now
    return;
  }
  ListRemoveAt(r->trash, r->trashCount, slot);
  ListAppend(r->memos, r->memoCount, memo);
  ShowWindow(memo, SW_SHOWNOACTIVATE);
  ShowTrash(dialog, nullptr);
}

void DeleteSelected(HWND dialog) {
  HWND memo = SelectedMemo(dialog);
  if (memo == nullptr) return;
  if (MessageBoxA(dialog, text::kTrashDeleteOne, text::kAppName, MB_ICONWARNING | MB_YESNO) != IDYES) return;
  SettingsRecord* r = RecordOf(dialog);
  const int slot = ListIndexOf(r->trash, r->trashCount, memo);
  if (slot >= 0) {
    ListRemoveAt(r->trash, r->trashCount, slot);  // out of the list first: no dead handle in it
    DestroyWindow(memo);
  }
  ShowTrash(dialog, nullptr);
}

void EmptyTrash(HWND dialog) {
  if (MessageBoxA(dialog, text::kTrashEmpty, text::kAppName, MB_ICONWARNING | MB_YESNO) != IDYES) return;
  SettingsRecord* r = RecordOf(dialog);
  while (r->trashCount > 0) {
    HWND memo = r->trash[r->trashCount - 1];
    ListRemoveAt(r->trash, r->trashCount, r->trashCount - 1);
    DestroyWindow(memo);
  }
  ShowTrash(dialog, nullptr);
}

void CloseDialog(HWND dialog) {
  RecordOf(dialog)->trashDialog = nullptr;
  EndDialog(dialog, IDCANCEL);
}

void OnCommand(HWND dialog, WORD id, WORD notification) {
  switch (id) {
    case IDOK: RestoreSelected(dialog); return;
    case IDC_TRASH_DELETE: DeleteSelected(dialog); return;
    case IDC_TRASH_EMPTY: EmptyTrash(dialog); return;
    case IDC_DLG_HELP: OpenHelp(dialog, HELP_CTX_TRASH); return;
    case IDCANCEL: CloseDialog(dialog); return;
    case IDC_TRASH_LIST:
      if (notification == LBN_DBLCLK) SendMessageA(dialog, WM_COMMAND, IDOK, 0);
      if (notification == LBN_SELCHANGE) UpdateButtons(dialog);
      return;
    default:
      return;
  }
}

INT_PTR CALLBACK TrashDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog, reinterpret_cast<HWND>(lParam));
      return FALSE;  // the focus was put on the list
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_HELP:
      SendMessageA(dialog, WM_COMMAND, IDC_DLG_HELP, 0);
      return TRUE;
    case WM_DESTROY: {
      // Also when the dialog goes with its main window (the program closed from a memo's menu).
      SettingsRecord* r = RecordOf(dialog);
      if (r != nullptr && r->trashDialog == dialog) r->trashDialog = nullptr;
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void OpenTrashDialog(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr) return;
  if (r->trashDialog != nullptr) {
    SetFocus(r->trashDialog);
    return;
  }
  DialogBoxParamA(r->instance, MAKEINTRESOURCEA(IDD_TRASH), mainWindow, TrashDialogProc,
                  reinterpret_cast<LPARAM>(mainWindow));
  // Nothing may touch the record from here on: closing the program from a memo's menu while
  // the dialog is open destroys the main window, its record and the dialog together.
}

// The list box is filled at opening, and also again here whenever the trash list changes from
// outside while the dialog is open, so that entry i always stays trash memo i. The selection
// stays on the same memo; it goes when that memo has left the trash.
void RefreshTrashDialog(HWND mainWindow) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr || r->trashDialog == nullptr) return;
  HWND dialog = r->trashDialog;
  ShowTrash(dialog, SelectedMemo(dialog));
}

}  // namespace pinlark
