// Plain screen geometry for the window-free rules.
#pragma once

namespace pinlark {

struct ScreenPoint {
  int x;
  int y;
};

struct Extent {
  int width;
  int height;
};

// A window rectangle in screen pixels; right and bottom lie just outside it.
struct Rect {
  int left;
  int top;
  int right;
  int bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

}  // namespace pinlark
