#include "alarm/alarm_check.h"

#include "alarm/alarm_dialog.h"
#include "alarm/alarm_due.h"
#include "alarm/alarm_sound.h"
#include "alarm/blinking.h"
#include "alarm/clock.h"
#include "app/settings_record.h"
#include "memo/memo_record.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

LocalMinute MinuteOf(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute};
}

bool AlarmIsDue(HWND memo, const LocalMinute& now) {
  return GetMemoField(memo, kMemoAlarm) != 0 && IsStoredAlarmDue(GetMemoField(memo, kMemoAlarmTime), now);
}

// Blinks, sounds and asks for one due memo, then carries out the answer.
void RingAlarm(HWND mainWindow, HWND memo) {
  SetForegroundWindow(mainWindow);
  StartBlinking(mainWindow, memo);
  SoundAlarm(reinterpret_cast<const char*>(GetSetting(mainWindow, kSetAlarmFname)));
  const INT_PTR choice = RunAlarmDialog(mainWindow);
  // AlarmTime stays, so the edit dialog can show it again.
  SetMemoField(memo, kMemoAlarm, 0);
  StopBlinking(mainWindow);
  // Posted, not sent: the memo goes away once the check has finished with the memo list.
  if (choice == IDC_ALARM_DELETE) {
    PostMessageA(memo, WM_COMMAND, IDM_DELETE_MEMO, 0);
  } else if (choice == IDC_ALARM_EDIT) {
    PostMessageA(memo, WM_COMMAND, IDM_EDIT_MEMO, 0);
  }
}

}  // namespace

void RunAlarmCheck(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr || r->alarmCheckRunning) return;
  r->alarmCheckRunning = true;
  const LocalMinute now = MinuteOf(CurrentLocalTime());  // one reading for the whole pass
  // The count is read again for every memo: a delete posted by an earlier alarm may run inside
  // a later alarm's dialog and shorten the list.
  for (int i = 0; i < r->memoCount; ++i) {
    HWND memo = r->memos[i];
    if (!AlarmIsDue(memo, now)) continue;
    RingAlarm(mainWindow, memo);
    r = GetSettingsRecord(mainWindow);
    if (r == nullptr) return;  // the main window went while the dialog was open
  }
  r->alarmCheckRunning = false;
}

}  // namespace pinlark
