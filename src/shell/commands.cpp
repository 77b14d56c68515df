#include "shell/commands.h"

#include "app/help.h"
#include "app/settings_record.h"
#include "app/version_dialog.h"
#include "arrange/arrange_commands.h"
#include "edit/clipboard_commands.h"
#include "edit/clipboard_text.h"
#include "edit/edit_dialog.h"
#include "memo/memo_store.h"
#include "print/printing.h"
#include "props/properties_dialog.h"
#include "res/resource_ids.h"
#include "trash/trash_dialog.h"

namespace pinlark {
namespace {

constexpr WORD kFromAccelerator = 1;
constexpr int kTaskbarNotifyAreaId = 303;

// Alt+F4 reaches here as an accelerator; with AccelClose off it only hands the foreground on.
void ExitCommand(HWND mainWindow, WPARAM wParam) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (HIWORD(wParam) == kFromAccelerator && r->app.accelClose == 0) {
    SetForegroundWindow(GetWindow(mainWindow, GW_HWNDNEXT));
    return;
  }
  SendMessageA(mainWindow, WM_CLOSE, 0, 0);
}

}  // namespace

void OnMainCommand(HWND mainWindow, WPARAM wParam, LPARAM /*lParam*/) {
  switch (LOWORD(wParam)) {
    case IDM_EXIT: ExitCommand(mainWindow, wParam); break;
    case IDM_VERSION: RunVersionDialog(mainWindow); break;
    case IDM_HIDE: ToggleHideAll(mainWindow); break;
    case IDM_HELP: OpenHelp(mainWindow, HELP_CTX_CONTENTS); break;
    case IDM_NEW_MEMO: OpenEditDialog(mainWindow, nullptr); break;
    case IDM_SAVE: SaveAllMemos(mainWindow); break;
    case IDM_ARRANGE: ArrangeMemos(mainWindow); break;
    case IDM_LOWER_ALL: LowerAllMemos(mainWindow); break;
    case IDM_PROPERTIES: OpenPropertiesDialog(mainWindow); break;
    case IDM_TRASH: OpenTrashDialog(mainWindow); break;
    case IDM_PRINT_ALL: PrintAllMemos(mainWindow); break;
    case IDM_NEW_FROM_CLIP: NewMemoFromClipboard(mainWindow); break;
    default: break;
  }
}

void OnTrayMessage(HWND mainWindow, LPARAM lParam) {
  switch (static_cast<UINT>(lParam)) {
    case WM_RBUTTONDOWN: {
      POINT cursor;
      GetCursorPos(&cursor);
      ShowAppMenuAt(mainWindow, cursor.x, cursor.y);
      break;
    }
    case WM_LBUTTONDOWN:
      SetForegroundWindow(mainWindow);
      break;
    case WM_LBUTTONDBLCLK:
      SetForegroundWindow(mainWindow);
      SendMessageA(mainWindow, WM_COMMAND, IDM_NEW_MEMO, 0);
      break;
    default:
      break;
  }
}

void OnMainKeyDown(HWND mainWindow, WPARAM key) {
  if (key != VK_TAB) return;
  HWND taskbar = FindWindowA("Shell_TrayWnd", "");
  HWND notifyArea = taskbar != nullptr ? GetDlgItem(taskbar, kTaskbarNotifyAreaId) : nullptr;
  if (notifyArea == nullptr) return;
  RECT rect;
  GetWindowRect(notifyArea, &rect);
  ShowAppMenuAt(mainWindow, rect.left, rect.top);
}

HMENU PrepareAppMenu(HWND mainWindow) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  HMENU appMenu = GetSubMenu(r->menu, SUBMENU_APP);
  EnableMenuItem(appMenu, IDM_NEW_FROM_CLIP, MF_BYCOMMAND | (ClipboardHasText() ? MF_ENABLED : MF_GRAYED));
  return appMenu;
}

void ShowAppMenuAt(HWND mainWindow, int x, int y) {
  SetForegroundWindow(mainWindow);
  HMENU appMenu = PrepareAppMenu(mainWindow);
  TrackPopupMenu(appMenu, TPM_BOTTOMALIGN | TPM_RIGHTBUTTON, x, y, 0, mainWindow, nullptr);
}

void ToggleHideAll(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  const bool show = r->app.hide == 1;
  r->app.hide = show ? 0 : 1;
  CheckMenuItem(r->menu, IDM_HIDE, MF_BYCOMMAND | (show ? MF_UNCHECKED : MF_CHECKED));
  for (int i = 0; i < kMaxMemos && r->memos[i] != nullptr; ++i) ShowWindow(r->memos[i], show ? SW_SHOW : SW_HIDE);
}

}  // namespace pinlark
