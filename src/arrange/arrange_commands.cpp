#include "arrange/arrange_commands.h"

#include <optional>

#include "app/settings_record.h"
#include "app/texts.h"
#include "memo/memo_record.h"

namespace pinlark {
namespace {

std::optional<Rect> WindowRect(HWND window) {
  RECT rect;
  if (window == nullptr || !GetWindowRect(window, &rect)) return std::nullopt;
  return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

Extent ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace

Rect CurrentWorkArea(HWND mainWindow) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  const std::optional<Rect> taskbar = WindowRect(FindWindowA("Shell_TrayWnd", ""));
  std::optional<Rect> officeBar;
  if (r->app.officeBar != 0) officeBar = WindowRect(FindWindowA(text::kOfficeBarClass, text::kOfficeBarTitle));
  return WorkArea(ScreenSize(), taskbar, officeBar);
}

ScreenPoint CurrentWorkAreaCorner(HWND mainWindow) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  return WorkAreaCorner(CurrentWorkArea(mainWindow), r->app.cxMergin, r->app.cyMergin);
}

std::vector<ArrangeEntry> BuildArrangementList(HWND mainWindow, bool skipExcluded) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  std::vector<ArrangeEntry> entries;
  for (int i = 0; i < r->memoCount; ++i) {
    if (skipExcluded && GetMemoField(r->memos[i], kMemoNoArrange) != 0) continue;
    if (const auto rect = WindowRect(r->memos[i])) entries.push_back({i, *rect});
  }
  return SortByTop(entries);
}

void ArrangeMemos(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  const std::vector<ArrangeEntry> sorted = BuildArrangementList(mainWindow, true);
  const AppSettings& s = r->app;
  const Rect area = CurrentWorkArea(mainWindow);
  for (const Placement& p : ArrangeInWorkArea(sorted, area, s.cxMergin, s.cyMergin, s.cyInterval)) {
    // A further layer goes over the ones before, memo by memo, so that the top of every memo
    // beneath shows; the first keeps the stacking order as it is.
    const UINT stacking = p.layer > 0 ? 0 : SWP_NOZORDER;
    SetWindowPos(r->memos[p.slot], HWND_TOP, p.left, p.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | stacking);
  }
  r->app.move = 0;
}

void ArrangeIfAutomatic(HWND mainWindow) {
  if (GetSettingsRecord(mainWindow)->app.autoArrange != 0) ArrangeMemos(mainWindow);
}

void LowerAllMemos(HWND mainWindow) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  for (int i = 0; i < r->memoCount; ++i) {
    if (GetMemoField(r->memos[i], kMemoTopMost) != 0) continue;
    SetWindowPos(r->memos[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  }
}

}  // namespace pinlark
