#include "app/settings_path.h"

namespace pinlark {

std::string SettingsPathForProgram(std::string_view programPath) {
  // A usable path has at least one character of name before the three replaced ones.
  const std::size_t nameStart = programPath.find_last_of("\\/:") + 1;  // npos + 1 == 0
  if (programPath.size() < nameStart + 4) return {};
  std::string path(programPath.substr(0, programPath.size() - 3));
  return path + "ini";
}

std::string FolderOfPath(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

}  // namespace pinlark
