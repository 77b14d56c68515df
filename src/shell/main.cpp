// Pinlark: sticky-note memos on the Windows desktop.
#include <windows.h>

#include "shell/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR commandLine, int /*show*/) {
  HWND mainWindow = nullptr;
  HACCEL accelerators = nullptr;
  if (!pinlark::StartUp(instance, commandLine, &mainWindow, &accelerators)) return 0;
  pinlark::RunMessageLoop(mainWindow, accelerators);
  pinlark::EndMessageLoop(instance);
  return 0;
}
