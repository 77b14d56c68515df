// The colour combo: an owner-drawn drop-down list of the 14 palette colours, each item's data
// its memo colour, shared by the memo edit dialog and the properties dialog.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace pinlark {

// Fills the combo `controlId` of `dialog` with the palette and selects the current colour: the
// memo's, or with no memo the default colour of the main window (the dialog's owner). A colour
// the palette does not hold (a hand-edited settings file) leaves no entry selected, so the old
// colour survives unless the user picks another one.
void FillColourCombo(HWND dialog, int controlId, HWND memo);

// The colour of the selected entry; nothing while no entry is selected (the caller then keeps
// the colour it had).
std::optional<int32_t> SelectedColour(HWND dialog, int controlId);

// WM_MEASUREITEM: items as tall as the client area of the dialog's Cancel button less 6 pixels.
void MeasurePaletteItem(HWND dialog, MEASUREITEMSTRUCT* item);

// WM_DRAWITEM: a swatch 2 pixels inside the item (white outlined, the transparent entries
// labelled), and a black frame around the selected item.
void DrawPaletteItem(const DRAWITEMSTRUCT* item);

}  // namespace pinlark
