#include "app/settings_record.h"

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

}  // namespace pinlark
