#include "edit/palette.h"

#include "app/app_settings.h"

namespace pinlark {
namespace {

// 0x00BBGGRR, in list order. Black (index 10) is a real colour; -1 to -3 are transparent.
constexpr int32_t kPalette[kPaletteSize] = {
    0x0080FFFF, 0x0080C0FF, 0x008080FF, 0x00C080FF, 0x00FF80FF, 0x00FF8080, 0x00C0FF80,
    0x00FFFF80, 0x00FFFFFF, 0x00C0C0C0, 0x00000000, -1,         -2,         -3,
};

}  // namespace

int32_t PaletteColor(int index) {
  if (index < 0 || index >= kPaletteSize) return kDefaultMemoColor;
  return kPalette[index];
}

std::optional<int> PaletteIndex(int32_t color) {
  for (int i = 0; i < kPaletteSize; ++i) {
    if (kPalette[i] == color) return i;
  }
  return std::nullopt;
}

}  // namespace pinlark
