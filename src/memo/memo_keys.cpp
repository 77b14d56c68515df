#include "memo/memo_keys.h"

#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>

#include "app/app_settings.h"
#include "app/texts.h"
#include "memo/text_escape.h"

namespace pinlark {
namespace {

constexpr std::string_view kSection = text::kSettingsSection;
constexpr char kDefaultColorText[] = "80ffff";

// The names after the prefix, in the order they are written; the text key ("Memo0") comes last.
constexpr const char* kFieldNames[] = {"Pos", "Color", "TopMost", "NoArrange", "NoMinClm", "Alarm", "AlarmTime", ""};

std::string KeyName(std::string_view prefix, const char* field, int slot) {
  std::string key(prefix);
  key += field;
  key += std::to_string(slot);
  return key;
}

std::string FormatPosition(const Rect& r) {
  // Differences taken modulo 2^32 so that no rectangle overflows here.
  const auto width = static_cast<int32_t>(static_cast<uint32_t>(r.right) - static_cast<uint32_t>(r.left));
  const auto height = static_cast<int32_t>(static_cast<uint32_t>(r.bottom) - static_cast<uint32_t>(r.top));
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%d %d %d %d", r.left, r.top, width, height);
  return buffer;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int32_t Saturate(int64_t v) { return static_cast<int32_t>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v); }

// One decimal integer after blanks, with an optional sign; numbers beyond the 32-bit range
// saturate (a hand edit, never what the program writes).
bool ParseDecimal(std::string_view s, std::size_t* at, int32_t* value) {
  std::size_t i = *at;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t digitsStart = i;
  int64_t magnitude = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    if (magnitude <= INT64_C(1) << 32) magnitude = magnitude * 10 + (s[i] - '0');
  }
  if (i == digitsStart) return false;
  *value = Saturate(negative ? -magnitude : magnitude);
  *at = i;
  return true;
}

// "left top width height"; false when fewer than four numbers are there.
bool ParsePosition(std::string_view s, Rect* r) {
  int32_t v[4];
  std::size_t at = 0;
  for (int32_t& n : v) {
    if (!ParseDecimal(s, &at, &n)) return false;
  }
  // The right and bottom edges saturate too, so Width() and Height() never overflow.
  *r = Rect{v[0], v[1], Saturate(int64_t{v[0]} + v[2]), Saturate(int64_t{v[1]} + v[3])};
  return true;
}

}  // namespace

void WriteMemoSlot(IniDocument* ini, std::string_view prefix, int slot, const StoredMemo* memo,
                   LeadBytePredicate isLead) {
  if (memo == nullptr) {
    // The only way stale keys of memos that no longer exist leave the file.
    for (const char* field : kFieldNames) ini->Remove(kSection, KeyName(prefix, field, slot));
    return;
  }
  WriteMemoSlotStored(ini, prefix, slot, *memo, EscapeMemoText(memo->text, isLead));
}

void WriteMemoSlotStored(IniDocument* ini, std::string_view prefix, int slot, const StoredMemo& memo,
                         std::string_view storedText) {
  const std::string numbers[] = {
      FormatPosition(memo.window),
      FormatHex32(static_cast<uint32_t>(memo.color)),
      std::to_string(memo.topMost),
      std::to_string(memo.noArrange),
      std::to_string(memo.noMinClm),
      std::to_string(memo.alarm),
      std::to_string(memo.alarmTime),  // unsigned: dates up to 2039 stay positive
  };
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    ini->Set(kSection, KeyName(prefix, kFieldNames[i], slot), numbers[i]);
  }
  // An empty text is written as an empty value, and the key stays: its presence is what marks
  // the slot as used, so the memos behind an empty one are read back.
  ini->Set(kSection, KeyName(prefix, "", slot), storedText);
}

// A slot is used when its text key is present, even with an empty value; only a missing key
// ends the list. Earlier versions deleted every key of an unused slot too, so their lists end
// where they did; a present but empty text key in their files was an empty memo whose followers
// they stopped reading, and those followers come back now.
std::optional<LoadedMemo> ReadMemoSlot(const IniDocument& ini, std::string_view prefix, int slot,
                                       int32_t defaultColor, LeadBytePredicate isLead) {
  const std::optional<std::string> value = ini.Find(kSection, KeyName(prefix, "", slot));
  if (!value) return std::nullopt;

  LoadedMemo loaded;
  StoredMemo& m = loaded.memo;
  m.text = UnescapeMemoText(*value, isLead);
  const auto color = ParseHex32(ini.GetString(kSection, KeyName(prefix, "Color", slot), kDefaultColorText));
  m.color = color ? static_cast<int32_t>(*color) : defaultColor;
  m.topMost = ini.GetInt(kSection, KeyName(prefix, "TopMost", slot), 0);
  m.noArrange = ini.GetInt(kSection, KeyName(prefix, "NoArrange", slot), 0);
  m.noMinClm = ini.GetInt(kSection, KeyName(prefix, "NoMinClm", slot), 0);
  m.alarm = ini.GetInt(kSection, KeyName(prefix, "Alarm", slot), 0);
  // Read modulo 2^32, so a value stored negative by an overflowing writer is the date it meant.
  m.alarmTime = static_cast<uint32_t>(ini.GetInt(kSection, KeyName(prefix, "AlarmTime", slot), 0));
  loaded.hasPosition = ParsePosition(ini.GetString(kSection, KeyName(prefix, "Pos", slot), ""), &m.window);
  return loaded;
}

}  // namespace pinlark
