#include "memo/memo_layout.h"

#include "app/settings_record.h"

namespace pinlark {

void RelayoutAllMemos(HWND mainWindow) {
  const SettingsRecord* r = GetSettingsRecord(mainWindow);
  for (int i = 0; i < kMaxMemos && r->memos[i] != nullptr; ++i) InvalidateRect(r->memos[i], nullptr, TRUE);
}

}  // namespace pinlark
