#include "alarm/alarm_dialog.h"

#include <initializer_list>

#include "app/dialog_place.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

// The first checked choice; closing the dialog in any way applies it.
INT_PTR CheckedChoice(HWND dialog) {
  for (int id : {IDC_ALARM_OFF, IDC_ALARM_EDIT, IDC_ALARM_DELETE}) {
    if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id;
  }
  return IDC_ALARM_OFF;  // the buttons always hold one check; switching off is the harmless answer
}

void OnAlarmDialogInit(HWND dialog) {
  CentreDialogOnScreen(GetParent(dialog), dialog);
  CheckRadioButton(dialog, IDC_ALARM_OFF, IDC_ALARM_DELETE, IDC_ALARM_OFF);
  SetFocus(GetDlgItem(dialog, IDC_ALARM_OFF));
  // Above every topmost memo, so the user sees it at once.
  SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

INT_PTR CALLBACK AlarmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      OnAlarmDialogInit(dialog);
      return FALSE;  // the focus was put on the first choice
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, CheckedChoice(dialog));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR RunAlarmDialog(HWND owner) {
  return DialogBoxParamA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)),
                         MAKEINTRESOURCEA(IDD_ALARM), owner, AlarmDialogProc, 0);
}

}  // namespace pinlark
