// The key order of a settings file as a test reads it, apart from the program's own reader.
#pragma once

#include <string>
#include <vector>

namespace pinlark::test {

// The key names of the first section named `section` (ASCII case ignored), in file order: every
// line of it that is neither blank nor a comment, up to its '=' and without surrounding blanks.
std::vector<std::string> KeysInSection(const std::string& iniBytes, const std::string& section);

}  // namespace pinlark::test
