#include "app/settings_save.h"

#include <string>

#include "app/error_report.h"
#include "app/settings_file.h"
#include "app/texts.h"

namespace pinlark {

bool SaveSettings(HWND owner, SettingsRecord* r, const std::function<void(IniDocument&)>& change) {
  std::string changedCopy;
  const bool saved = UpdateSettingsFile(r->settingsPath, change, &r->settingsStamp, &changedCopy);
  const DWORD error = GetLastError();
  if (!changedCopy.empty()) ShowError(owner, (std::string(text::kSettingsChangedElsewhere) + changedCopy).c_str());
  if (saved) return true;
  SetLastError(error);
  ReportError(owner, text::kSaveFailed);
  return false;
}

}  // namespace pinlark
