// Colour arithmetic of memo painting: the shades of the raised edge and of the lightened and
// darkened transparent memos, on colours 0x00BBGGRR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace pinlark {

// Adds `delta` to red, green and blue separately, each clamped to 0..255; the top byte is 0.
uint32_t Shade(uint32_t colour, int delta);

// A picture of a memo's client area: w * h colours 0x00BBGGRR, row by row from the top. Rows
// may lie inside a wider buffer: `stride` pixels from the start of one row to the next (0: the
// width); pixels past the width are never touched.
struct PixelPicture {
  int width;
  int height;
  uint32_t* pixels;
  int stride = 0;
  uint32_t* Row(int y) { return pixels + static_cast<std::ptrdiff_t>(y) * (stride > 0 ? stride : width); }
  uint32_t& At(int x, int y) { return Row(y)[x]; }
};

// The raised edge on a transparent memo: the eight runs of shaded pixels, in their order; a
// pixel on two runs is shaded twice. Pixels of a run that fall outside a picture too small for
// the edge are left out, as a device context leaves out pixels outside its client area.
void ShadeEdge(PixelPicture picture);
// The inner part of a lightened (+32) or darkened (-32) transparent memo: rows 2 to h - 3,
// columns 1 to w - 3.
void ShadeInterior(PixelPicture picture, int delta);

// Whether the text on a transparent memo is drawn white: the averages of the readable pixels
// of a row sum to at most 381. Unreadable pixels count in the averages' divisor but add nothing.
// Nothing when no pixel was visited.
inline constexpr uint32_t kUnreadablePixel = 0xFFFFFFFF;
std::optional<bool> IsDarkRow(const uint32_t* pixels, int count);

// A 32-bit top-down DIB holds a pixel as 0x00RRGGBB (bytes B, G, R, unused); these convert
// between that and a colour 0x00BBGGRR. The unused byte is dropped, so a white pixel is never
// taken for an unreadable one.
inline constexpr uint32_t ColorFromDibPixel(uint32_t pixel) {
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}
inline constexpr uint32_t DibPixelFromColor(uint32_t colour) { return ColorFromDibPixel(colour); }

}  // namespace pinlark
