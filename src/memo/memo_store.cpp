#include "memo/memo_store.h"

#include <optional>
#include <vector>

#include "app/error_report.h"
#include "app/settings_save.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "arrange/arrangement.h"
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

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
  reinterpret_cast<std::vector<Rect>*>(list)->push_back({rect->left, rect->top, rect->right, rect->bottom});
  return TRUE;
}

// The monitors' rectangles, asked for once for all the memos of a list.
std::vector<Rect> MonitorRects() {
  std::vector<Rect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

// Where a loaded memo goes: its stored rectangle, or (when that lies wholly outside every
// monitor, after a change of monitors) the place of a new memo, keeping its size. A memo
// without a usable position (a hand-edited file) is sized and placed as a new memo. Null when
// the memo is made at the place of a new memo, which depends on the memos made before it.
// Monitors that cannot be listed move no memo.
std::optional<RECT> StoredPlace(const LoadedMemo& loaded, const std::vector<Rect>& monitors) {
  if (!loaded.hasPosition) return std::nullopt;
  const Rect& w = loaded.memo.window;
  if (!monitors.empty() && !OnAnyMonitor(w, monitors)) return std::nullopt;
  return RECT{w.left, w.top, w.right, w.bottom};
}

// A memo made at the place of a new memo: sized to its text, or to its stored size with its
// right edge 50 pixels right of that place. Still hidden, so nothing is drawn yet.
void PlaceAsNewMemo(HWND memo, const LoadedMemo& loaded) {
  if (!loaded.hasPosition) {
    AutoSizeMemo(memo);
    return;
  }
  RECT created;
  GetWindowRect(memo, &created);
  const Rect& w = loaded.memo.window;
  SetWindowPos(memo, nullptr, created.left + 50 - w.Width(), created.top, w.Width(), w.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Shows a memo of a list as soon as it is made and placed (an always-on-top one first goes to
// the top of its band), so the z-order is as if each memo went to the top of its band in turn
// and the last one shown is active. Showing each memo as it comes, activated, is the quick way
// under Wine: a window shown without activation has its X11 driver look through every window
// above it for popups it owns, so showing them all in one batch, unactivated, was slower.
void ShowLoadedMemo(HWND memo, bool show) {
  if (GetMemoField(memo, kMemoTopMost) != 0) {
    SetWindowPos(memo, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (show) ShowWindow(memo, SW_SHOWNORMAL);
}

void LoadList(HWND mainWindow, const IniDocument& settings, MemoKind kind) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  const char* prefix = kind == kKindMemo ? kMemoPrefix : kTrashPrefix;
  const bool show = kind == kKindMemo && r->app.hide == 0;
  const std::vector<Rect> monitors = MonitorRects();
  for (int slot = 0; slot < kMaxMemos; ++slot) {
    const auto loaded = ReadMemoSlot(settings, prefix, slot, r->app.defaultColor, SystemLeadByte);
    if (!loaded) break;
    const std::optional<RECT> place = StoredPlace(*loaded, monitors);
    HWND memo = CreateMemoWindow(mainWindow, kind, place ? &*place : nullptr);
    if (memo == nullptr) break;
    SetWindowTextA(memo, loaded->memo.text.c_str());
    SetMemoField(memo, kMemoColor, loaded->memo.color);
    SetMemoField(memo, kMemoTopMost, loaded->memo.topMost);
    SetMemoField(memo, kMemoNoArrange, loaded->memo.noArrange);
    SetMemoField(memo, kMemoNoMinClm, loaded->memo.noMinClm);
    SetMemoField(memo, kMemoAlarm, loaded->memo.alarm);
    SetMemoField(memo, kMemoAlarmTime, static_cast<int32_t>(loaded->memo.alarmTime));
    if (!place) PlaceAsNewMemo(memo, *loaded);
    ShowLoadedMemo(memo, show);
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
