#include "app/help.h"

#include <shellapi.h>

#include <vector>

#include "app/error_report.h"
#include "app/help_topics.h"
#include "app/settings_path.h"
#include "app/texts.h"

namespace pinlark {
namespace {

INT_PTR ShellExecuteOpen(HWND owner, const char* path, const char* directory, int show) {
  return reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", path, nullptr, directory, show));
}

ShellOpenFunction g_shellOpen = ShellExecuteOpen;

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ProgramFolder() {
  std::vector<char> path(32768);
  const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return {};
  return FolderOfPath(std::string_view(path.data(), length), SystemLeadByte);
}

}  // namespace

ShellOpenFunction SetShellOpenFunction(ShellOpenFunction open) {
  const ShellOpenFunction previous = g_shellOpen;
  g_shellOpen = open != nullptr ? open : ShellExecuteOpen;
  return previous;
}

INT_PTR ShellOpen(HWND owner, const char* path, const char* directory, int show) {
  return g_shellOpen(owner, path, directory, show);
}

void OpenHelp(HWND owner, int contextId) { OpenHelpIn(owner, contextId, ProgramFolder()); }

void OpenHelpIn(HWND owner, int contextId, const std::string& folder) {
  // WinHelp blocks in its own error box when the file is missing, so it is only asked for a
  // file that is there.
  const std::string winHelp = folder + text::kHelpFile;
  if (!folder.empty() && FileExists(winHelp)) {
    if (contextId == 0) {
      WinHelpA(owner, winHelp.c_str(), HELP_FINDER, 0);
    } else {
      WinHelpA(owner, winHelp.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(contextId));
    }
    return;
  }
  const std::string page = folder + text::kHtmlHelpFolder + "\\" + HelpPageForContext(contextId);
  if (folder.empty() || !FileExists(page)) {
    ShowError(owner, text::kHelpMissing);
    return;
  }
  if (ShellOpen(owner, page.c_str()) <= 32) ShowError(owner, text::kHelpOpenFailed);
}

}  // namespace pinlark
