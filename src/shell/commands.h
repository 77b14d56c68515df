// The global commands of the application and memo menus, the tray icon's clicks and the keys
// of the main window.
#pragma once

#include <windows.h>

namespace pinlark {

// One WM_COMMAND for the main window (also called by memo windows for the memo-menu commands
// they leave to it; that call does not look at the accept-commands flag).
void OnMainCommand(HWND mainWindow, WPARAM wParam, LPARAM lParam);

// The tray callback; lParam is the mouse message.
void OnTrayMessage(HWND mainWindow, LPARAM lParam);

// WM_KEYDOWN of the main window: Tab opens the application menu at the taskbar's notification area.
void OnMainKeyDown(HWND mainWindow, WPARAM key);

// Shows the application menu at a screen point and returns once it is closed.
void ShowAppMenuAt(HWND mainWindow, int x, int y);
// Greys "貼り付け作成" when the clipboard holds no text; returns the application menu.
HMENU PrepareAppMenu(HWND mainWindow);

// Hides every memo of the memo list, or shows them again, with the check mark of "隠す".
void ToggleHideAll(HWND mainWindow);

}  // namespace pinlark
