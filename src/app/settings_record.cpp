#include "app/settings_record.h"

#include <new>

#include "app/error_report.h"
#include "app/memo_font.h"
#include "app/settings_file.h"
#include "app/texts.h"
#include "app/tray_icon.h"
#include "memo/memo_store.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

// The integer fields behind the accessor indices; handles and texts are handled apart.
int32_t* IntField(SettingsRecord* r, int index) {
  switch (index) {
    case kSetAcceptCommands: return &r->acceptCommands;
    case kSetMinColumn: return &r->app.minColumn;
    case kSetDefaultColor: return &r->app.defaultColor;
    case kSetCRMode: return &r->app.crMode;
    case kSet3DMode: return &r->app.threeDMode;
    case kSetMove: return &r->app.move;
    case kSetHide: return &r->app.hide;
    case kSetAutoArrange: return &r->app.autoArrange;
    case kSetAccelClose: return &r->app.accelClose;
    case kSetAbbandConf: return &r->app.abbandConf;
    case kSetIMEOpen: return &r->app.imeOpen;
    case kSetOfficeBar: return &r->app.officeBar;
    case kSetCxMergin: return &r->app.cxMergin;
    case kSetCyMergin: return &r->app.cyMergin;
    case kSetCyInterval: return &r->app.cyInterval;
    default: return nullptr;
  }
}

HWND* WindowField(SettingsRecord* r, int index) {
  switch (index) {
    case kSetEditTarget: return &r->editTarget;
    case kSetBlinkingMemo: return &r->blinkingMemo;
    case kSetEditDialog: return &r->editDialog;
    case kSetPropertiesDialog: return &r->propertiesDialog;
    case kSetTrashDialog: return &r->trashDialog;
    default: return nullptr;
  }
}

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
  if (!UpdateSettingsFile(r->settingsPath, change)) {
    ReportError(mainWindow, text::kSaveFailed);
  }
}

}  // namespace

SettingsRecord* GetSettingsRecord(HWND mainWindow) {
  return reinterpret_cast<SettingsRecord*>(GetWindowLongPtrA(mainWindow, 0));
}

intptr_t GetSetting(HWND mainWindow, int index) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr) return 0;
  if (int32_t* field = IntField(r, index)) return *field;
  if (HWND* window = WindowField(r, index)) return reinterpret_cast<intptr_t>(*window);
  switch (index) {
    case kSetMenu: return reinterpret_cast<intptr_t>(r->menu);
    case kSetMemoFont: return reinterpret_cast<intptr_t>(r->memoFont);
    case kSetPrinterFont: return reinterpret_cast<intptr_t>(r->printerFont);
    case kSetAlarmTimer: return static_cast<intptr_t>(r->alarmTimer);
    case kSetAlarmFname: return reinterpret_cast<intptr_t>(r->app.alarmFname.c_str());
    default: return 0;
  }
}

void SetSetting(HWND mainWindow, int index, intptr_t value) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr) return;
  if (int32_t* field = IntField(r, index)) {
    *field = static_cast<int32_t>(value);
  } else if (HWND* window = WindowField(r, index)) {
    *window = reinterpret_cast<HWND>(value);
  } else if (index == kSetMenu) {
    r->menu = reinterpret_cast<HMENU>(value);
  } else if (index == kSetMemoFont) {
    r->memoFont = reinterpret_cast<HFONT>(value);
  } else if (index == kSetPrinterFont) {
    r->printerFont = reinterpret_cast<HFONT>(value);
  } else if (index == kSetAlarmTimer) {
    r->alarmTimer = static_cast<UINT_PTR>(value);
  } else if (index == kSetAlarmFname) {
    const char* source = reinterpret_cast<const char*>(value);
    r->app.alarmFname = CutAtCharBoundary(source != nullptr ? source : "", kAlarmFnameMax, SystemLeadByte);
  }
}

LRESULT OnMainCreate(HWND mainWindow, const CREATESTRUCTA* create) {
  auto* r = new (std::nothrow) SettingsRecord;
  if (r == nullptr) return -1;
  SetWindowLongPtrA(mainWindow, 0, reinterpret_cast<LONG_PTR>(r));
  const auto* params = static_cast<const MainWindowParams*>(create->lpCreateParams);
  const IniDocument empty;
  const IniDocument& settings = (params != nullptr && params->settings != nullptr) ? *params->settings : empty;
  if (params != nullptr) r->settingsPath = params->settingsPath;
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
