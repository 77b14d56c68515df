#include "shell/tray_icon.h"

#include <shellapi.h>

#include <cstring>

#include "app/settings_record.h"
#include "app/texts.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

NOTIFYICONDATAA TrayData(HWND mainWindow) {
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = mainWindow;
  data.uID = TRAY_ICON_ID;
  return data;
}

HICON TrayIconImage(HWND mainWindow, int iconId) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  return static_cast<HICON>(LoadImageA(r->instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       LR_SHARED));
}

bool IsOwnWindow(const SettingsRecord* r, HWND mainWindow, HWND window) {
  if (window == mainWindow) return true;
  for (int i = 0; i < kMaxMemos; ++i) {
    if (r->memos[i] != nullptr && r->memos[i] == window) return true;
  }
  return false;
}

}  // namespace

bool AddTrayIcon(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  NOTIFYICONDATAA data = TrayData(mainWindow);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = WM_TRAY_CALLBACK;
  if (r->trayIcon == 0) r->trayIcon = IDI_PINLARK;
  data.hIcon = TrayIconImage(mainWindow, r->trayIcon);
  std::strncpy(data.szTip, text::kTrayTip, sizeof data.szTip - 1);
  return Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

void RemoveTrayIcon(HWND mainWindow) {
  NOTIFYICONDATAA data = TrayData(mainWindow);
  Shell_NotifyIconA(NIM_DELETE, &data);
}

void SetTrayIcon(HWND mainWindow, int iconId) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  r->trayIcon = iconId;
  NOTIFYICONDATAA data = TrayData(mainWindow);
  data.uFlags = NIF_ICON;
  data.hIcon = TrayIconImage(mainWindow, iconId);
  Shell_NotifyIconA(NIM_MODIFY, &data);
}

void OnActivateAnyWindow(HWND mainWindow, WPARAM wParam, LPARAM lParam) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr || IsOwnWindow(r, mainWindow, reinterpret_cast<HWND>(lParam))) return;
  SetTrayIcon(mainWindow, LOWORD(wParam) != WA_INACTIVE ? IDI_PINLARK_ACTIVE : IDI_PINLARK);
}

}  // namespace pinlark
