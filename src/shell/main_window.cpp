#include "shell/main_window.h"

#include "alarm/alarm_check.h"
#include "alarm/blinking.h"
#include "app/ime.h"
#include "app/settings_record.h"
#include "res/resource_ids.h"
#include "shell/commands.h"
#include "shell/main_lifetime.h"
#include "shell/tray_icon.h"

namespace pinlark {

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // While a memo blinks (or before the record exists) commands, keys, tray clicks and close
  // requests are ignored.
  const bool accepting = GetSetting(window, kSetAcceptCommands) == 1;
  switch (message) {
    case WM_CREATE:
      return OnMainCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      OnMainFinalDestroy(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_ACTIVATE:
      OnActivateAnyWindow(window, wParam, lParam);
      return 0;
    case WM_SETFOCUS:
      EnableInputMethod(false);
      return 0;
    case WM_KILLFOCUS:
      EnableInputMethod(true);
      return 0;
    case WM_CLOSE:
      if (accepting) CloseApplication(window);
      return 0;
    case WM_QUERYENDSESSION:
      return accepting ? CloseApplication(window) : 0;
    case WM_ENDSESSION:
      if (wParam != FALSE) SaveAtSessionEnd(window);
      return 0;
    case WM_HELP:
      SendMessageA(window, WM_COMMAND, IDM_HELP, 0);
      return 0;
    case WM_KEYDOWN:
      if (accepting) OnMainKeyDown(window, wParam);
      return 0;
    case WM_COMMAND:
      if (accepting) OnMainCommand(window, wParam, lParam);
      return 0;
    case WM_TIMER:
      if (wParam == TIMER_BLINK) {
        BlinkTick(window);
      } else if (wParam == TIMER_ALARM) {
        RunAlarmCheck(window);
      } else if (wParam == TIMER_TRAY_ICON) {
        OnTrayIconTimer(window);
      }
      return 0;
    case WM_MEMO_ACTIVATE:
      OnActivateAnyWindow(window, wParam, lParam);
      return 0;
    case WM_MEMO_COMMAND:
      OnMainCommand(window, wParam, lParam);
      return 0;
    case WM_TRAY_CALLBACK:
      if (accepting) OnTrayMessage(window, lParam);
      return 0;
    default: {
      const SettingsRecord* r = GetSettingsRecord(window);
      if (r != nullptr && message == r->taskbarCreatedMessage && message != 0) {
        AddTrayIcon(window);  // the shell was restarted: put the icon back
        return 0;
      }
      return DefWindowProcA(window, message, wParam, lParam);
    }
  }
}

}  // namespace pinlark
