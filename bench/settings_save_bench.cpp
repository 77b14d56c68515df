// What one settings save costs in memory (parse, change the keys, serialize), against
// rewriting the whole file once per key as per-key profile writes do, and how a save grows with
// the size of the file and with the number of keys. Prints ratios measured in this one run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/ini_document.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using pinlark::IniDocument;
using Clock = std::chrono::steady_clock;

// The fastest of a few runs, in seconds: the least disturbed by the rest of the machine.
double Fastest(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    Clock::time_point start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

std::string Value(int key, int generation, size_t length) {
  std::string v = std::to_string(generation) + ":" + std::to_string(key) + ":";
  while (v.size() < length) v += "\x95\x5C\x83\x5C\\n";  // Shift-JIS with 0x5C trail bytes
  v.resize(length);
  return v;
}

// A settings file as the program writes it: other sections and comments around the memos.
std::string MakeFile(int keys, size_t value_length) {
  IniDocument doc = IniDocument::Parse("; settings\r\n[Window]\r\nLeft=10\r\n\r\n");
  for (int i = 0; i < keys; ++i) {
    doc.Set("Pinlark", "Memo" + std::to_string(i), Value(i, 0, value_length));
  }
  for (int i = 0; i < 8; ++i) doc.Set("Pinlark", "Gone" + std::to_string(i), "stale");
  doc.Set("Other", "Kept", "1");
  return doc.Serialize();
}

struct Change {
  std::vector<std::string> keys, values;
};

Change MakeChange(int keys, size_t value_length, int generation) {
  Change c;
  for (int i = 0; i < keys; ++i) {
    c.keys.push_back("Memo" + std::to_string(i));
    c.values.push_back(Value(i, generation, value_length));
  }
  return c;
}

// One transaction: parse the file, set every memo and remove a few keys, serialize.
std::string Save(const std::string& file, const Change& change) {
  IniDocument doc = IniDocument::Parse(file);
  for (size_t i = 0; i < change.keys.size(); ++i) {
    doc.Set("Pinlark", change.keys[i], change.values[i]);
  }
  for (int i = 0; i < 8; ++i) doc.Remove("Pinlark", "Gone" + std::to_string(i));
  return doc.Serialize();
}

void Print(const char* name, double base, double other) {
  std::printf("%s: 1 : %.1f\n", name, other / base);
}

}  // namespace

int main() {
#ifdef __GLIBC__
  // Keep freed memory in the process: otherwise every run of megabytes pays the kernel's page
  // faults anew (costly in virtual machines), which would hide the cost of the code itself.
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
#endif
  constexpr int kKeys = 1024;
  constexpr size_t kValue = 2000;  // 1,024 memos of ~2 KB: a ~2 MB file
  const std::string file = MakeFile(kKeys, kValue);
  std::printf("file_bytes: %zu\n", file.size());

  size_t sink = 0;
  const Change change = MakeChange(kKeys, kValue, 1);
  const double save = Fastest(5, [&] { sink += Save(file, change).size(); });

  // Per-key profile writes read and rewrite the whole file for every key.
  const double per_key = Fastest(1, [&] {
    std::string current = file;
    for (int i = 0; i < kKeys; ++i) {
      IniDocument doc = IniDocument::Parse(current);
      doc.Set("Pinlark", change.keys[i], change.values[i]);
      current = doc.Serialize();
    }
    sink += current.size();
  });
  Print("save_1024_keys_vs_per_key_rewrite", save, per_key);

  // Parse + serialize alone, so the share of the 1,024 key look-ups shows.
  const double parse_serialize =
      Fastest(5, [&] { sink += IniDocument::Parse(file).Serialize().size(); });
  Print("parse_serialize_vs_save_1024_keys", parse_serialize, save);

  // Same keys, values four times as long: the cost should follow the bytes.
  const std::string big_values = MakeFile(kKeys, 4 * kValue);
  const Change big_change = MakeChange(kKeys, 4 * kValue, 1);
  const double save_big_values = Fastest(5, [&] { sink += Save(big_values, big_change).size(); });
  Print("save_1x_size_vs_4x_size_longer_values", save, save_big_values);

  // Four times the keys at the same value length: shows whether finding a key stays cheap
  // next to copying the bytes as the key count grows.
  const std::string many_keys = MakeFile(4 * kKeys, kValue);
  const Change many_change = MakeChange(4 * kKeys, kValue, 1);
  const double save_many_keys = Fastest(3, [&] { sink += Save(many_keys, many_change).size(); });
  Print("save_1x_size_vs_4x_size_more_keys", save, save_many_keys);

  // Reading every key once, as the program does at start, against parsing the file.
  const IniDocument parsed = IniDocument::Parse(file);
  const double parse =
      Fastest(5, [&] { sink += IniDocument::Parse(file).Find("Other", "Kept")->size(); });
  const double read_all = Fastest(5, [&] {
    for (const std::string& key : change.keys) {
      sink += parsed.GetString("Pinlark", key, "").size();
    }
  });
  Print("parse_vs_read_1024_keys", parse, read_all);

  // Setting every key of short-valued files with 4x the keys: about 4 when finding a key
  // does not grow with the file (16 if every look-up scanned the section).
  auto set_all = [&](int keys) {
    const IniDocument small = IniDocument::Parse(MakeFile(keys, 16));
    const Change short_change = MakeChange(keys, 16, 1);
    return Fastest(5, [&] {
      IniDocument doc = small;
      for (size_t i = 0; i < short_change.keys.size(); ++i) {
        doc.Set("Pinlark", short_change.keys[i], short_change.values[i]);
      }
      sink += doc.Serialize().size();
    });
  };
  const double set_1x = set_all(kKeys);
  const double set_4x = set_all(4 * kKeys);
  Print("set_all_keys_1x_vs_4x_keys_short_values", set_1x, set_4x);

  std::printf("checksum: %zu\n", sink);
  return 0;
}
