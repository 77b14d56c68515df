#include "app/settings_path.h"

namespace pinlark {
namespace {

// Where the last part of `path` begins: just after its last byte that is one of `separators`,
// stepping over double-byte characters (0x5C, the backslash, is also a trail byte in them).
std::size_t PartStart(std::string_view path, std::string_view separators, LeadBytePredicate isLead) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (isLead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      ++i;
    } else if (separators.find(path[i]) != std::string_view::npos) {
      start = i + 1;
    }
  }
  return start;
}

}  // namespace

std::string SettingsPathForProgram(std::string_view programPath, LeadBytePredicate isLead) {
  const std::string_view name = programPath.substr(PartStart(programPath, "\\/:", isLead));
  if (name.size() < 3) return {};
  const std::size_t kept = CutAtCharBoundary(name, name.size() - 3, isLead).size();
  return std::string(programPath.substr(0, programPath.size() - name.size() + kept)) + "ini";
}

std::string FolderOfPath(std::string_view path, LeadBytePredicate isLead) {
  return std::string(path.substr(0, PartStart(path, "\\/", isLead)));
}

}  // namespace pinlark
