#include "app/changed_copy_name.h"

#include <cstdio>

namespace pinlark {

std::string ChangedCopyName(std::string_view settingsPath, const LocalSecond& when, int attempt) {
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, ".changed-%04d%02d%02d-%02d%02d%02d", when.year, when.month, when.day,
                when.hour, when.minute, when.second);
  std::string name(settingsPath);
  name += stamp;
  if (attempt > 1) name += "-" + std::to_string(attempt);
  return name;
}

}  // namespace pinlark
