#include "alarm/blinking.h"

#include "app/settings_record.h"
#include "res/resource_ids.h"

namespace pinlark {

void EnableAll(HWND mainWindow, bool enable) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  EnableWindow(mainWindow, enable);
  if (r == nullptr) return;
  for (int i = 0; i < r->memoCount; ++i) EnableWindow(r->memos[i], enable);
}

void StartBlinking(HWND mainWindow, HWND memo) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr) return;
  SetTimer(mainWindow, TIMER_BLINK, 500, nullptr);
  EnableAll(mainWindow, false);
  r->blinkingMemo = memo;
  r->acceptCommands = 0;
}

void StopBlinking(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr) return;
  HWND memo = r->blinkingMemo;
  r->acceptCommands = 1;
  r->blinkingMemo = nullptr;
  EnableAll(mainWindow, true);
  // A memo deleted into the trash while the windows were disabled (a delete posted by an
  // earlier alarm of the same check) left the memo list disabled; it would come back from the
  // trash unusable.
  for (int i = 0; i < r->trashCount; ++i) EnableWindow(r->trash[i], TRUE);
  KillTimer(mainWindow, TIMER_BLINK);
  // An odd number of ticks leaves the memo inverted: repaint it in its own colours.
  if (memo != nullptr) InvalidateRect(memo, nullptr, TRUE);
}

void BlinkTick(HWND mainWindow) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr || r->blinkingMemo == nullptr) return;
  HWND memo = r->blinkingMemo;
  RECT client;
  GetClientRect(memo, &client);
  HDC dc = GetDC(memo);
  if (dc == nullptr) return;
  // A white fill in XOR mode inverts every pixel; the outline lies outside the client area.
  const int oldMode = SetROP2(dc, R2_XORPEN);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, client.left - 1, client.top - 1, client.right + 1, client.bottom + 1);
  SelectObject(dc, oldBrush);
  SetROP2(dc, oldMode);
  ReleaseDC(memo, dc);
}

}  // namespace pinlark
