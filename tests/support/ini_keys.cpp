#include "ini_keys.h"

namespace pinlark::test {
namespace {

std::string TrimBlanks(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> KeysInSection(const std::string& iniBytes, const std::string& section) {
  std::vector<std::string> keys;
  size_t pos = iniBytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  bool inside = false;
  while (pos < iniBytes.size()) {
    size_t end = iniBytes.find('\n', pos);
    if (end == std::string::npos) end = iniBytes.size();
    std::string line = TrimBlanks(iniBytes.substr(pos, end - pos));
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line = TrimBlanks(line.substr(0, line.size() - 1));
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      if (inside) break;
      size_t close = line.find(']');
      inside = close != std::string::npos &&
               EqualsIgnoringAsciiCase(TrimBlanks(line.substr(1, close - 1)), section);
      continue;
    }
    if (inside) keys.push_back(TrimBlanks(line.substr(0, line.find('='))));
  }
  return keys;
}

}  // namespace pinlark::test
