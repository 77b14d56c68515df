// The eight keys of one memo slot in the settings file ("%sPos%d", "%sColor%d", "%sTopMost%d",
// "%sNoArrange%d", "%sNoMinClm%d", "%sAlarm%d", "%sAlarmTime%d", "%s%d" with the prefix Memo or
// Trash and the slot number 0 to 63).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/ansi_text.h"
#include "app/geometry.h"
#include "app/ini_document.h"

namespace pinlark {

inline constexpr char kMemoPrefix[] = "Memo";
inline constexpr char kTrashPrefix[] = "Trash";

// What the file holds of one memo.
struct StoredMemo {
  Rect window{};
  int32_t color = 0;
  int32_t topMost = 0;
  int32_t noArrange = 0;
  int32_t noMinClm = 0;
  int32_t alarm = 0;
  uint32_t alarmTime = 0;
  std::string text;
};

// Writes the eight keys of a slot in their order; with no memo, removes all eight.
void WriteMemoSlot(IniDocument* ini, std::string_view prefix, int slot, const StoredMemo* memo,
                   LeadBytePredicate isLead = IsCp932LeadByte);

// The same with the text already in its stored form (EscapeMemoText); memo.text is not used.
void WriteMemoSlotStored(IniDocument* ini, std::string_view prefix, int slot, const StoredMemo& memo,
                         std::string_view storedText);

// A slot as read back. Nothing when the slot is unused (its text key is missing), which ends
// its list. A hand-edited Pos with fewer than four numbers gives hasPosition false; a Color that
// is not hexadecimal gives `defaultColor`.
struct LoadedMemo {
  StoredMemo memo;
  bool hasPosition = false;
};
std::optional<LoadedMemo> ReadMemoSlot(const IniDocument& ini, std::string_view prefix, int slot,
                                       int32_t defaultColor, LeadBytePredicate isLead = IsCp932LeadByte);

}  // namespace pinlark
