// Writes the settings file over and over until it is killed, for the fault test of
// settings_file_test.cpp:
//   settings_writer_child <settings path> <event name> <keys> <value bytes>
// Every save writes generation N+1 into every key, so a file that mixes two saves, or is cut
// short, shows. The event (made by the test) is set after each completed save.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/settings_file.h"

namespace {

// The value of key `index` in generation `generation`; the fault test builds the same.
std::string KeyValue(int generation, int index, size_t length) {
  std::string v = std::to_string(generation) + ":" + std::to_string(index) + ":";
  while (v.size() + 2 <= length) v += "\x95\x5C";  // Shift-JIS with a 0x5C trail byte
  v.resize(length, '.');
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: settings_writer_child <settings path> <event> <keys> <bytes>\n");
    return 2;
  }
  const std::string path = argv[1];
  const int keys = std::atoi(argv[3]);
  const size_t length = static_cast<size_t>(std::atoi(argv[4]));
  HANDLE saved = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
  if (saved == nullptr) {
    std::fprintf(stderr, "settings_writer_child: no event %s (error %lu)\n", argv[2],
                 GetLastError());
    return 2;
  }

  pinlark::IniDocument current;
  if (!pinlark::ReadSettingsFile(path, &current)) {
    std::fprintf(stderr, "settings_writer_child: cannot read (error %lu)\n", GetLastError());
    return 3;
  }
  int generation = current.GetInt("Pinlark", "Generation", 0);
  for (;;) {
    ++generation;
    const std::string number = std::to_string(generation);
    bool ok = pinlark::UpdateSettingsFile(path, [&](pinlark::IniDocument& doc) {
      doc.Set("Pinlark", "Generation", number);
      for (int i = 0; i < keys; ++i) {
        doc.Set("Pinlark", "Key" + std::to_string(i), KeyValue(generation, i, length));
      }
      doc.Set("Pinlark", "Last", number);
    });
    if (!ok) {
      std::fprintf(stderr, "settings_writer_child: save %d failed (error %lu)\n", generation,
                   GetLastError());
      return 3;
    }
    SetEvent(saved);
  }
}
