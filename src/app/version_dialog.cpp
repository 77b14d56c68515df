#include "app/version_dialog.h"

#include "app/dialog_place.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      CentreDialogOnScreen(GetParent(dialog), dialog);
      SetFocus(GetDlgItem(dialog, IDOK));
      return FALSE;  // keeps the focus on OK
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 1);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR RunVersionDialog(HWND owner) {
  return DialogBoxParamA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)),
                         MAKEINTRESOURCEA(IDD_VERSION), owner, VersionDialogProc, 0);
}

}  // namespace pinlark
