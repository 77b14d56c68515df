#include "app/settings_save.h"

#include <string>

#include "app/error_report.h"
#include "app/settings_file.h"
#include "app/texts.h"

namespace pinlark {

bool SaveSettingsUnreported(HWND owner, SettingsRecord* r, const std::function<void(IniDocument&)>& change) {
  std::string changedCopy;
  const bool saved = UpdateSettingsFile(r->settingsPath, change, &r->settingsStamp, &changedCopy);
  const DWORD error = GetLastError();
  if (owner != nullptr && !changedCopy.empty()) {
    ShowError(owner, (std::string(text::kSettingsChangedElsewhere) + changedCopy).c_str());
  }
  SetLastError(error);
  return saved;
}

bool SaveSettings(HWND owner, SettingsRecord* r, const std::function<void(IniDocument&)>& change) {
  if (SaveSettingsUnreported(owner, r, change)) return true;
  ReportError(owner, text::kSaveFailed);
  return false;
}

}  // namespace pinlark
