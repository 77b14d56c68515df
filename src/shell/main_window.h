// The hidden main window: it owns the tray icon, the settings record and every memo window.
#pragma once

#include <windows.h>

namespace pinlark {

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace pinlark
