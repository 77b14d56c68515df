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

// Telling the shell is a round trip to another program. A start activates its last memo while
// the memos are being shown, and telling it then would hold up their first paint; a timer
// message comes only once nothing is left to paint, and however often the activation moves
// meanwhile, the shell hears once.
constexpr UINT kTrayIconDelay = 100;  // ms

void OnActivateAnyWindow(HWND mainWindow, WPARAM wParam, LPARAM lParam) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr || IsOwnWindow(r, mainWindow, reinterpret_cast<HWND>(lParam))) return;
  const int chosen = LOWORD(wParam) != WA_INACTIVE ? IDI_PINLARK_ACTIVE : IDI_PINLARK;
  if (chosen == r->trayIcon) return;
  r->trayIcon = chosen;
  SetTimer(mainWindow, TIMER_TRAY_ICON, kTrayIconDelay, nullptr);
}

void OnTrayIconTimer(HWND mainWindow) {
  KillTimer(mainWindow, TIMER_TRAY_ICON);
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr) return;
  NOTIFYICONDATAA data = TrayData(mainWindow);
  data.uFlags = NIF_ICON;
  data.hIcon = TrayIconImage(mainWindow, r->trayIcon);
  Shell_NotifyIconA(NIM_MODIFY, &data);
}

}  // namespace pinlark
