#include "memo/shade.h"

namespace pinlark {
namespace {

uint32_t ShadeChannel(uint32_t colour, int shift, int delta) {
  const int v = static_cast<int>((colour >> shift) & 0xFF) + delta;
  const uint32_t clamped = v >= 255 ? 255u : v <= 0 ? 0u : static_cast<uint32_t>(v);
  return clamped << shift;
}

// Shades one pixel; a pixel outside the picture is skipped, like a pixel outside a client area.
void ShadeAt(PixelPicture& picture, int x, int y, int delta) {
  if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return;
  uint32_t& pixel = picture.At(x, y);
  pixel = Shade(pixel, delta);
}

void ShadeRow(PixelPicture& picture, int y, int fromX, int toX, int delta) {
  for (int x = fromX; x <= toX; ++x) ShadeAt(picture, x, y, delta);
}

void ShadeColumn(PixelPicture& picture, int x, int fromY, int toY, int delta) {
  for (int y = fromY; y <= toY; ++y) ShadeAt(picture, x, y, delta);
}

}  // namespace

uint32_t Shade(uint32_t colour, int delta) {
  return ShadeChannel(colour, 0, delta) | ShadeChannel(colour, 8, delta) | ShadeChannel(colour, 16, delta);
}

void ShadeEdge(PixelPicture picture) {
  const int w = picture.width;
  const int h = picture.height;
  if (w <= 0 || h <= 0 || picture.pixels == nullptr) return;
  ShadeRow(picture, 0, 0, w - 2, +64);         // top, outer
  ShadeColumn(picture, 0, 1, h - 2, +64);      // left, outer
  ShadeRow(picture, 1, 1, w - 3, +32);         // top, inner
  ShadeColumn(picture, 1, 2, h - 3, +32);      // left, inner
  ShadeRow(picture, h - 1, 0, w - 1, -128);    // bottom, outer
  ShadeColumn(picture, w - 1, 0, h - 1, -128); // right, outer
  ShadeRow(picture, h - 2, 1, w - 1, -64);     // bottom, inner
  ShadeColumn(picture, w - 2, 1, h - 3, -64);  // right, inner
}

void ShadeInterior(PixelPicture picture, int delta) {
  // Narrower than 4 or lower than 5 pixels there is no inside.
  if (picture.pixels == nullptr || picture.width < 4) return;
  for (int y = 2; y <= picture.height - 3; ++y) {
    uint32_t* row = picture.Row(y);
    for (int x = 1; x <= picture.width - 3; ++x) row[x] = Shade(row[x], delta);
  }
}

std::optional<bool> IsDarkRow(const uint32_t* pixels, int count) {
  if (count <= 0) return std::nullopt;
  uint64_t red = 0, green = 0, blue = 0;
  for (int i = 0; i < count; ++i) {
    const uint32_t p = pixels[i];
    if (p == kUnreadablePixel) continue;
    red += p & 0xFF;
    green += (p >> 8) & 0xFF;
    blue += (p >> 16) & 0xFF;
  }
  const uint64_t n = static_cast<uint64_t>(count);
  return red / n + green / n + blue / n <= 381;
}

}  // namespace pinlark
