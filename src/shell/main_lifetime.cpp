#include "shell/main_lifetime.h"

#include <new>

#include "app/error_report.h"
#include "app/settings_save.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "edit/edit_dialog.h"
#include "memo/memo_font.h"
#include "memo/memo_store.h"
#include "res/resource_ids.h"
#include "shell/tray_icon.h"

namespace pinlark {
namespace {

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

void PrepareMenu(SettingsRecord* r) {
  if (r->app.hide == 1) CheckMenuItem(r->menu, IDM_HIDE, MF_BYCOMMAND | MF_CHECKED);
  SetMenuDefaultItem(GetSubMenu(r->menu, SUBMENU_APP), IDM_NEW_MEMO, FALSE);
  SetMenuDefaultItem(GetSubMenu(r->menu, SUBMENU_MEMO), IDM_EDIT_MEMO, FALSE);
}

// Everything the program owns in the settings file at close, memos and application keys, in
// one transaction. False with the system's error code set when it failed. A file someone else
// changed is told with `owner`, and not at all when it is null.
bool SaveEverything(HWND owner, HWND mainWindow, SettingsRecord* r) {
  const AppSettings settings = r->app;
  const auto change = [&](IniDocument& ini) {
    WriteAllMemos(mainWindow, &ini);
    WriteAppSettings(&ini, settings);
  };
  return SaveSettingsUnreported(owner, r, change);
}

// Whether the close may end the program. A failed save keeps it running, so nothing is lost;
// when a save fails again at a later close, the user may end without saving, so a folder that
// stays read-only does not keep the program from ending.
bool MayEnd(HWND mainWindow, SettingsRecord* r) {
  if (r->editDialog != nullptr) {
    MessageBoxA(mainWindow, text::kEditDialogOpen, text::kAppName, MB_ICONERROR);
    SetFocus(r->editDialog);
    return false;
  }
  if (r->settingsPath.empty()) {
    TellOnceThatNothingIsSaved(mainWindow);
    return true;
  }
  if (SaveEverything(mainWindow, mainWindow, r)) return true;
  if (!r->closeSaveFailed) {
    r->closeSaveFailed = true;
    ReportError(mainWindow, text::kSaveFailed);
    return false;
  }
  return AskAfterError(mainWindow, text::kSaveFailed, text::kEndWithoutSaving) == IDYES;
}

}  // namespace

LRESULT OnMainCreate(HWND mainWindow, const CREATESTRUCTA* create) {
  auto* r = new (std::nothrow) SettingsRecord;
  if (r == nullptr) return -1;
  SetWindowLongPtrA(mainWindow, 0, reinterpret_cast<LONG_PTR>(r));
  const auto* params = static_cast<const MainWindowParams*>(create->lpCreateParams);
  const IniDocument empty;
  const IniDocument& settings = (params != nullptr && params->settings != nullptr) ? *params->settings : empty;
  if (params != nullptr) {
    r->settingsPath = params->settingsPath;
    r->settingsStamp = params->stamp;
  }
  r->instance = create->hInstance;
  r->acceptCommands = 1;

  r->memoFont = LoadMemoFont(settings);
  ReadAppSettings(settings, &r->app, SystemLeadByte);

  r->menu = LoadMenuA(r->instance, MAKEINTRESOURCEA(IDR_MAINMENU));
  if (r->menu == nullptr) return -1;
  PrepareMenu(r);

  r->taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
  if (!AddTrayIcon(mainWindow)) return -1;
  r->alarmTimer = SetTimer(mainWindow, TIMER_ALARM, 10000, nullptr);
  return 0;
}

void OnMainFinalDestroy(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr) return;
  SetWindowLongPtrA(mainWindow, 0, 0);
  if (r->menu != nullptr) DestroyMenu(r->menu);
  if (r->memoFont != nullptr) DeleteObject(r->memoFont);
  delete r;
}

int CloseApplication(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  // The message boxes of a close run a message loop, in which "終了" or a shutdown can ask
  // again; a second close there would free the record under the first.
  if (r->closing) return 0;
  r->closing = true;
  const bool mayEnd = MayEnd(mainWindow, r);
  r->closing = false;
  if (!mayEnd) return 0;
  RemoveTrayIcon(mainWindow);
  KillTimer(mainWindow, r->alarmTimer);
  DestroyWindow(mainWindow);  // frees the record on WM_NCDESTROY
  return 1;
}

void SaveAtSessionEnd(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr) return;
  KeepOpenEditText(mainWindow);
  // The process may go as soon as this returns: no message box, which would only hold up the end.
  if (!r->settingsPath.empty()) SaveEverything(nullptr, mainWindow, r);
}

}  // namespace pinlark
