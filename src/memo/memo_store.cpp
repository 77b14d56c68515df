#include "memo/memo_store.h"

#include <vector>

#include "app/error_report.h"
#include "app/settings_save.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "memo/memo_keys.h"
#include "memo/memo_record.h"
#include "memo/memo_window.h"
#include "memo/text_escape.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// Fills `stored` from the memo, all but the text.
void MemoToStore(HWND memo, StoredMemo* stored) {
  RECT rect;
  GetWindowRect(memo, &rect);
  stored->window = {rect.left, rect.top, rect.right, rect.bottom};
  stored->color = GetMemoField(memo, kMemoColor);
  stored->topMost = GetMemoField(memo, kMemoTopMost);
  stored->noArrange = GetMemoField(memo, kMemoNoArrange);
  stored->noMinClm = GetMemoField(memo, kMemoNoMinClm);
  stored->alarm = GetMemoField(memo, kMemoAlarm);
  stored->alarmTime = static_cast<uint32_t>(GetMemoField(memo, kMemoAlarmTime));
}

// The memo's text in its stored form, escaped again only when the text changed since the last
// save. The text is read through `buffer`, one for all memos of a save and only made when a
// text must be read: a buffer of the longest text for every memo would cost more than the text.
std::string_view StoredTextOf(HWND memo, std::vector<char>* buffer, std::string* fallback) {
  if (const std::string* kept = KeptStoredText(memo)) return *kept;
  buffer->resize(kMemoTextMax + 1);
  const int length = GetWindowTextA(memo, buffer->data(), static_cast<int>(buffer->size()));
  *fallback = EscapeMemoText(std::string_view(buffer->data(), length > 0 ? static_cast<std::size_t>(length) : 0),
                             SystemLeadByte);
  KeepStoredText(memo, *fallback);
  return *fallback;
}

void WriteList(IniDocument* ini, const char* prefix, const HWND (&slots)[kMaxMemos],
               std::vector<char>* buffer) {
  StoredMemo stored;
  std::string text;
  for (int slot = 0; slot < kMaxMemos; ++slot) {
    if (slots[slot] != nullptr) {
      MemoToStore(slots[slot], &stored);
      WriteMemoSlotStored(ini, prefix, slot, stored, StoredTextOf(slots[slot], buffer, &text));
    } else {
      WriteMemoSlot(ini, prefix, slot, nullptr, SystemLeadByte);
    }
  }
}

// A memo that lies wholly outside every monitor (after a change of monitors) comes back at
// the place of a new memo, keeping its size.
void BringIntoView(HWND memo, const Rect& stored, POINT newMemoPlace) {
  const RECT rect = {stored.left, stored.top, stored.right, stored.bottom};
  if (MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr) return;
  const int right = newMemoPlace.x + 50;
  SetWindowPos(memo, nullptr, right - stored.Width(), newMemoPlace.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceLoadedMemo(HWND memo, const LoadedMemo& loaded) {
  RECT created;
  GetWindowRect(memo, &created);
  if (!loaded.hasPosition) {
    AutoSizeMemo(memo);  // a hand-edited file without a usable position: placed as a new memo
    return;
  }
  const Rect& w = loaded.memo.window;
  SetWindowPos(memo, loaded.memo.topMost != 0 ? HWND_TOPMOST : HWND_TOP, w.left, w.top, w.Width(), w.Height(),
               SWP_NOACTIVATE);
  BringIntoView(memo, w, {created.left, created.top});
}

void LoadList(HWND mainWindow, const IniDocument& settings, MemoKind kind) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  const char* prefix = kind == kKindMemo ? kMemoPrefix : kTrashPrefix;
  for (int slot = 0; slot < kMaxMemos; ++slot) {
    const auto loaded = ReadMemoSlot(settings, prefix, slot, r->app.defaultColor, SystemLeadByte);
    if (!loaded) return;
    HWND memo = CreateMemoWindow(mainWindow, kind);
    if (memo == nullptr) return;
    SetWindowTextA(memo, loaded->memo.text.c_str());
    SetMemoField(memo, kMemoColor, loaded->memo.color);
    SetMemoField(memo, kMemoTopMost, loaded->memo.topMost);
    SetMemoField(memo, kMemoNoArrange, loaded->memo.noArrange);
    SetMemoField(memo, kMemoNoMinClm, loaded->memo.noMinClm);
    SetMemoField(memo, kMemoAlarm, loaded->memo.alarm);
    SetMemoField(memo, kMemoAlarmTime, static_cast<int32_t>(loaded->memo.alarmTime));
    PlaceLoadedMemo(memo, *loaded);
    if (kind == kKindMemo && r->app.hide == 0) ShowWindow(memo, SW_SHOWNORMAL);
  }
}

void CreateSampleMemo(HWND mainWindow) {
  HWND memo = CreateMemoWindow(mainWindow, kKindMemo);
  if (memo == nullptr) return;
  SetWindowTextA(memo, text::kSampleMemo);
  SetMemoField(memo, kMemoColor, GetSettingsRecord(mainWindow)->app.defaultColor);
  SetWindowPos(memo, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE);
  AutoSizeMemo(memo);
  SendMessageA(mainWindow, WM_COMMAND, IDM_ARRANGE, 0);
  ShowWindow(memo, SW_SHOWNORMAL);
}

}  // namespace

void WriteAllMemos(HWND mainWindow, IniDocument* ini) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  std::vector<char> buffer;
  WriteList(ini, kMemoPrefix, r->memos, &buffer);
  WriteList(ini, kTrashPrefix, r->trash, &buffer);
}

bool SaveAllMemos(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r->settingsPath.empty()) {  // this run keeps no settings file
    TellOnceThatNothingIsSaved(mainWindow);
    return true;
  }
  return SaveSettings(mainWindow, r, [&](IniDocument& ini) { WriteAllMemos(mainWindow, &ini); });
}

void LoadAllMemos(HWND mainWindow, const IniDocument& settings, bool fileExists) {
  if (!fileExists) {
    CreateSampleMemo(mainWindow);
    return;
  }
  LoadList(mainWindow, settings, kKindMemo);
  LoadList(mainWindow, settings, kKindTrash);
  GetSettingsRecord(mainWindow)->app.move = settings.GetInt(text::kSettingsSection, "Move", 1);
}

}  // namespace pinlark
