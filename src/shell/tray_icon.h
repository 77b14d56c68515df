// The notification-area icon: added at creation, swapped while one of our windows is active,
// added again when the taskbar is re-created, removed at close.
#pragma once

#include <windows.h>

namespace pinlark {

bool AddTrayIcon(HWND mainWindow);
void RemoveTrayIcon(HWND mainWindow);

// WM_ACTIVATE of the main window or of a memo window: the tray shows the active icon while
// the activation is with one of our windows, and the plain one once an outside window has it.
// Moves between the main window and the memo windows leave it as it is. The icon is chosen at
// once and shown when TIMER_TRAY_ICON fires, a moment later.
void OnActivateAnyWindow(HWND mainWindow, WPARAM wParam, LPARAM lParam);
// TIMER_TRAY_ICON: shows the icon chosen last.
void OnTrayIconTimer(HWND mainWindow);

}  // namespace pinlark
