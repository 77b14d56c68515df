// The name under which a save keeps a settings file that someone else changed since the program
// last read or wrote it: beside the file, saying what it is and when it was kept.
#pragma once

#include <string>
#include <string_view>

namespace pinlark {

struct LocalSecond {
  int year;
  int month;
  int day;
  int hour;
  int minute;
  int second;
};

// "PATH.changed-YYYYMMDD-HHMMSS", local time; attempts after the first (a name already taken)
// add "-2", "-3", ...
std::string ChangedCopyName(std::string_view settingsPath, const LocalSecond& when, int attempt);

}  // namespace pinlark
