#include "app/ime.h"

#include <windows.h>

namespace pinlark {

void EnableInputMethod(bool enable) {
  using EnableImeFunction = BOOL(WINAPI*)(HWND, BOOL);
  // Looked up at run time: not every system's user32 has it.
  static const auto enableIme = reinterpret_cast<EnableImeFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "WINNLSEnableIME")));
  if (enableIme != nullptr) enableIme(nullptr, enable ? TRUE : FALSE);
}

}  // namespace pinlark
