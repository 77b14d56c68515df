// The window-free rules of the properties dialog: how its number fields are read, the range of
// the minimum memo width, and where the play button draws its symbol.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/geometry.h"

namespace pinlark {

inline constexpr uint32_t kMinColumnLowest = 10;
inline constexpr uint32_t kMinColumnHighest = 100;

// The narrowest and widest minimum memo width, in characters, the dialog accepts.
bool MinColumnAcceptable(uint32_t columns);

// An unsigned number field: blanks, decimal digits, blanks. A sign, any other character or a
// value the 32-bit setting cannot hold means the text does not convert. (The system's own
// reading differs between Windows and Wine: Wine takes "-5" as 4294967291 and "12abc" as 12.)
std::optional<int32_t> ParseUnsignedField(std::string_view text);

// A signed number field: the same, with an optional minus sign right before the digits.
std::optional<int32_t> ParseSignedField(std::string_view text);

// The corners of the play symbol inside the button rectangle `face` (after the edge was drawn):
// a triangle pointing right, one pixel further right and down while the button is pressed.
std::array<ScreenPoint, 3> PlayTriangle(const Rect& face, bool pressed);

}  // namespace pinlark
