// Painting a memo window: its colour or the picture behind a transparent memo, the raised edge,
// and its text in the memo font.
#pragma once

#include <windows.h>

#include <climits>
#include <cstdint>
#include <optional>

namespace pinlark {

// WM_PAINT of a memo window.
void PaintMemo(HWND memo);

// Draws the text of `window` at (x, *y) on `dc` in the dc's font and text colour, one line per
// CR LF with tab stops of the width of "1234" from x = 2; *y ends below the last line drawn.
// Only lines that start above `bottom` are drawn, and the text is read only as far as they
// reach. Leaves the dc's background mode transparent. Shared with printing.
void DrawMemoText(HWND window, HDC dc, int x, int* y, int bottom = INT_MAX);

// Shades the picture already in the width x height client area of `dc` for a transparent memo
// of `color` (-1, -2, -3): the raised edge when `threeD`, then the lighter or darker inside.
// Works on a bitmap copy, with the same pixels as shading pixel by pixel through the dc.
// Answers whether row 2 of the result (x from 2 while x < width - 4) is dark; nothing when
// that row has no pixel.
std::optional<bool> ShadeTransparentPicture(HDC dc, int width, int height, int32_t color, bool threeD);

}  // namespace pinlark
