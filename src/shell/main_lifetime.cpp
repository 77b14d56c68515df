#include "shell/main_lifetime.h"

#include <new>

#include "app/error_report.h"
#include "app/settings_save.h"
#include "app/settings_record.h"
#include "app/texts.h"
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
// one transaction.
void SaveAtClose(HWND mainWindow, SettingsRecord* r) {
  if (r->settingsPath.empty()) return;
  const AppSettings settings = r->app;
  const auto change = [&](IniDocument& ini) {
    WriteAllMemos(mainWindow, &ini);
    WriteAppSettings(&ini, settings);
  };
  SaveSettings(mainWindow, r, change);
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
  if (r->editDialog != nullptr) {
    MessageBoxA(mainWindow, text::kEditDialogOpen, text::kAppName, MB_ICONERROR);
    SetFocus(r->editDialog);
    return 0;
  }
  SaveAtClose(mainWindow, r);
  RemoveTrayIcon(mainWindow);
  KillTimer(mainWindow, r->alarmTimer);
  DestroyWindow(mainWindow);  // frees the record on WM_NCDESTROY
  return 1;
}

}  // namespace pinlark
