#include "edit/colour_combo.h"

#include <cstring>

#include "app/app_settings.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "edit/palette.h"
#include "memo/memo_record.h"

namespace pinlark {
namespace {

constexpr int32_t kWhite = 0x00FFFFFF;

int32_t CurrentColour(HWND dialog, HWND memo) {
  if (memo != nullptr) return GetMemoField(memo, kMemoColor);
  const SettingsRecord* record = GetSettingsRecord(GetParent(dialog));
  return record != nullptr ? record->app.defaultColor : kDefaultMemoColor;
}

const char* TransparentLabel(int32_t colour) {
  switch (colour) {
    case kTransparent: return text::kTransparentLabel;
    case kTransparentLight: return text::kTransparentLightLabel;
    case kTransparentDark: return text::kTransparentDarkLabel;
    default: return nullptr;
  }
}

void DrawSwatch(const DRAWITEMSTRUCT* item) {
  if (item->itemID == static_cast<UINT>(-1)) {
    // No entry selected: an empty field, not a swatch of whatever the item data holds.
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  const int32_t colour = static_cast<int32_t>(item->itemData);
  const char* label = TransparentLabel(colour);
  // A transparent entry has no colour of its own: its label stands on the list's background.
  HBRUSH brush = label != nullptr ? GetSysColorBrush(COLOR_WINDOW) : CreateSolidBrush(static_cast<COLORREF>(colour));
  RECT swatch = item->rcItem;
  InflateRect(&swatch, -2, -2);
  if (brush != nullptr) FillRect(item->hDC, &swatch, brush);
  if (colour == kWhite) {
    // White on the white list needs an outline to be seen.
    HGDIOBJ oldPen = SelectObject(item->hDC, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(item->hDC, GetStockObject(WHITE_BRUSH));
    Rectangle(item->hDC, swatch.left, swatch.top, swatch.right, swatch.bottom);
    SelectObject(item->hDC, oldBrush);
    SelectObject(item->hDC, oldPen);
  }
  if (label != nullptr) {
    const int oldMode = SetBkMode(item->hDC, TRANSPARENT);
    TextOutA(item->hDC, swatch.left, swatch.top, label, static_cast<int>(std::strlen(label)));
    SetBkMode(item->hDC, oldMode);
  } else if (brush != nullptr) {
    DeleteObject(brush);
  }
}

}  // namespace

void FillColourCombo(HWND dialog, int controlId, HWND memo) {
  HWND combo = GetDlgItem(dialog, controlId);
  if (combo == nullptr) return;
  // The list has no strings: the inserted value becomes the item data.
  for (int i = 0; i < kPaletteSize; ++i) {
    SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(i), static_cast<LPARAM>(PaletteColor(i)));
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  const std::optional<int> index = PaletteIndex(CurrentColour(dialog, memo));
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index ? *index : -1), 0);
}

std::optional<int32_t> SelectedColour(HWND dialog, int controlId) {
  const LRESULT index = SendDlgItemMessageA(dialog, controlId, CB_GETCURSEL, 0, 0);
  if (index < 0 || index >= kPaletteSize) return std::nullopt;
  return PaletteColor(static_cast<int>(index));
}

void MeasurePaletteItem(HWND dialog, MEASUREITEMSTRUCT* item) {
  RECT cancel{};
  if (!GetClientRect(GetDlgItem(dialog, IDCANCEL), &cancel)) return;
  const LONG height = cancel.bottom - cancel.top - 6;
  item->itemHeight = static_cast<UINT>(height > 1 ? height : 1);
}

void DrawPaletteItem(const DRAWITEMSTRUCT* item) {
  switch (item->itemAction) {
    case ODA_DRAWENTIRE:
      DrawSwatch(item);
      break;
    case ODA_SELECT:
      // White erases the frame an earlier selection left.
      FrameRect(item->hDC, &item->rcItem,
                static_cast<HBRUSH>(GetStockObject((item->itemState & ODS_SELECTED) ? BLACK_BRUSH : WHITE_BRUSH)));
      break;
    default:
      break;
  }
}

}  // namespace pinlark
