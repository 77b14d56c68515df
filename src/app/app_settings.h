// The application keys of the settings file: their defaults, how they are read when the
// program starts and written when it closes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/ansi_text.h"
#include "app/ini_document.h"

namespace pinlark {

inline constexpr int32_t kDefaultMemoColor = 0x0080FFFF;
inline constexpr std::size_t kAlarmFnameMax = 259;  // bytes, without the terminating NUL

// The bounds of the arrangement's margins and interval, in pixels: what the properties dialog's
// arrows offer. A file's value outside them is read as the nearest bound, and the dialog refuses
// one typed outside. Within them no arrangement comes near 32-bit overflow, and overlapping memos
// (a negative interval) never hide more than the bottom ten pixels of the memo above.
struct SettingBounds {
  int32_t lowest;
  int32_t highest;
  bool Holds(int32_t value) const { return value >= lowest && value <= highest; }
  int32_t Nearest(int32_t value) const { return value < lowest ? lowest : value > highest ? highest : value; }
};
inline constexpr SettingBounds kMerginBounds{0, 500};
inline constexpr SettingBounds kIntervalBounds{-10, 100};

struct AppSettings {
  int32_t minColumn = 40;
  int32_t cxMergin = 10;
  int32_t cyMergin = 10;
  int32_t cyInterval = 10;
  int32_t defaultColor = kDefaultMemoColor;
  int32_t crMode = 0;
  int32_t threeDMode = 0;
  int32_t move = 0;  // read by memo loading, after the memos
  int32_t hide = 0;
  int32_t autoArrange = 0;
  int32_t officeBar = 1;  // only ever read: the file keeps whatever it holds
  int32_t accelClose = 1;
  int32_t abbandConf = 1;
  int32_t imeOpen = 1;
  std::string alarmFname;
};

// Reads the keys read at start-up (all but Move). Missing keys keep the defaults above; a
// DefaultColor that is not hexadecimal leaves 0x0080FFFF; the margins and the interval are kept
// within their bounds.
void ReadAppSettings(const IniDocument& ini, AppSettings* settings,
                     LeadBytePredicate isLead = IsCp932LeadByte);

// Writes the fourteen keys the closing sequence owns, in their order. OfficeBar is not written.
void WriteAppSettings(IniDocument* ini, const AppSettings& settings);

// Hexadecimal text as the C library's "%x" reads it: blanks, an optional sign, an optional
// 0x, then hex digits up to the first other character, wrapping modulo 2^32. Nothing when
// there is no digit.
std::optional<uint32_t> ParseHex32(std::string_view text);
// Lower-case hexadecimal without prefix or leading zeros ("%x").
std::string FormatHex32(uint32_t value);

}  // namespace pinlark
