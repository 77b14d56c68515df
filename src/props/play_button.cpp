#include "props/play_button.h"

#include "props/properties_rules.h"

namespace pinlark {

void DrawPlayButton(const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  RECT face = item->rcItem;
  // Only the press itself shows the button down; a plain repaint draws it raised.
  const bool pressed = item->itemAction == ODA_SELECT && (item->itemState & ODS_SELECTED) != 0;
  if (pressed) {
    Rectangle(dc, face.left, face.top, face.right, face.bottom);
    RECT inside = face;
    InflateRect(&inside, -1, -1);
    DrawEdge(dc, &inside, 0, BF_RECT | BF_MIDDLE | BF_ADJUST);
  } else {
    DrawEdge(dc, &face, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);  // leaves `face` inside the edge
  }
  const auto corners = PlayTriangle({face.left, face.top, face.right, face.bottom}, pressed);
  POINT points[3];
  for (int i = 0; i < 3; ++i) points[i] = {corners[i].x, corners[i].y};
  HGDIOBJ previous = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Polygon(dc, points, 3);
  SelectObject(dc, previous);
}

}  // namespace pinlark
