// The fixed colour palette the colour combos offer: 14 memo colours in list order, the last
// three being the transparent sentinels.
#pragma once

#include <cstdint>
#include <optional>

namespace pinlark {

inline constexpr int kPaletteSize = 14;

// The memo colour at list position `index`; the default memo colour for any other index.
int32_t PaletteColor(int index);

// The list position of `color`; nothing for a colour the palette does not hold (a hand-edited
// settings file can carry one).
std::optional<int> PaletteIndex(int32_t color);

}  // namespace pinlark
