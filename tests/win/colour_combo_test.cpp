// The colour combo: filling it from a memo or the default colour, and drawing its items.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>

#include "edit/colour_combo.h"
#include "edit/palette.h"
#include "memo/memo_record.h"
#include "memo/memo_window.h"
#include "res/resource_ids.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

// A stand-in for a dialog owned by the main window: the Cancel button (23 pixels tall) and the
// owner-drawn colour combo.
class ComboHost {
 public:
  explicit ComboHost(HWND mainWindow) {
    dialog_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, mainWindow, nullptr, nullptr, nullptr);
    CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 10, 10, 80, 23, dialog_,
                    reinterpret_cast<HMENU>(IDCANCEL), nullptr, nullptr);
    combo_ = CreateWindowExA(0, "COMBOBOX", "",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, 100, 10, 80,
                             200, dialog_, reinterpret_cast<HMENU>(IDC_EDIT_COLOR), nullptr, nullptr);
  }
  ~ComboHost() { DestroyWindow(dialog_); }
  HWND dialog() const { return dialog_; }
  LRESULT Send(UINT message, WPARAM wParam = 0) const { return SendMessageA(combo_, message, wParam, 0); }

 private:
  HWND dialog_ = nullptr;
  HWND combo_ = nullptr;
};

TEST(ColourCombo, HoldsThePaletteInOrderAndSelectsTheMemoColour) {
  test::MainWindowFixture main;
  HWND memo = CreateMemoWindow(main.window(), kKindMemo);
  ASSERT_NE(memo, nullptr);
  SetMemoField(memo, kMemoColor, kTransparentLight);
  ComboHost host(main.window());
  FillColourCombo(host.dialog(), IDC_EDIT_COLOR, memo);
  ASSERT_EQ(host.Send(CB_GETCOUNT), kPaletteSize);
  const int32_t palette[] = {0x0080FFFF, 0x0080C0FF, 0x008080FF, 0x00C080FF, 0x00FF80FF, 0x00FF8080, 0x00C0FF80,
                             0x00FFFF80, 0x00FFFFFF, 0x00C0C0C0, 0x00000000, -1,         -2,         -3};
  for (int i = 0; i < kPaletteSize; ++i) {
    EXPECT_EQ(static_cast<int32_t>(host.Send(CB_GETITEMDATA, static_cast<WPARAM>(i))), palette[i]) << i;
  }
  EXPECT_EQ(host.Send(CB_GETCURSEL), 12);
  EXPECT_EQ(SelectedColour(host.dialog(), IDC_EDIT_COLOR), std::optional<int32_t>(kTransparentLight));
}

TEST(ColourCombo, WithoutAMemoTheMainWindowsDefaultColourIsSelected) {
  test::MainWindowFixture main("[Pinlark]\r\nDefaultColor=c0c0c0\r\n");
  ComboHost host(main.window());
  FillColourCombo(host.dialog(), IDC_EDIT_COLOR, nullptr);
  EXPECT_EQ(host.Send(CB_GETCURSEL), 9);
  EXPECT_EQ(SelectedColour(host.dialog(), IDC_EDIT_COLOR), std::optional<int32_t>(0x00C0C0C0));
}

TEST(ColourCombo, AColourOutsideThePaletteSelectsNothing) {
  test::MainWindowFixture main;
  HWND memo = CreateMemoWindow(main.window(), kKindMemo);
  ASSERT_NE(memo, nullptr);
  SetMemoField(memo, kMemoColor, 0x00123456);
  ComboHost host(main.window());
  FillColourCombo(host.dialog(), IDC_EDIT_COLOR, memo);
  EXPECT_EQ(host.Send(CB_GETCOUNT), kPaletteSize);
  EXPECT_EQ(host.Send(CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(SelectedColour(host.dialog(), IDC_EDIT_COLOR), std::nullopt);
  host.Send(CB_SETCURSEL, 10);
  EXPECT_EQ(SelectedColour(host.dialog(), IDC_EDIT_COLOR), std::optional<int32_t>(0)) << "black, once chosen";
}

TEST(ColourCombo, ItemsAreSixPixelsLowerThanTheCancelButton) {
  test::MainWindowFixture main;
  ComboHost host(main.window());
  MEASUREITEMSTRUCT item{};
  item.CtlType = ODT_COMBOBOX;
  item.CtlID = IDC_EDIT_COLOR;
  item.itemHeight = 99;
  MeasurePaletteItem(host.dialog(), &item);
  EXPECT_EQ(item.itemHeight, 17u);
}

constexpr COLORREF kBackground = RGB(255, 0, 0);
constexpr int kWidth = 200, kHeight = 20;

// A bitmap filled with red to draw items into.
class Canvas : public test::Canvas {
 public:
  Canvas() : test::Canvas(kWidth, kHeight, kBackground) {}
  void Draw(int32_t colour, UINT action, UINT state = 0, UINT itemId = 0) const {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = IDC_EDIT_COLOR;
    item.itemID = itemId;
    item.itemAction = action;
    item.itemState = state;
    item.hDC = dc();
    item.rcItem = {0, 0, kWidth, kHeight};
    item.itemData = static_cast<ULONG_PTR>(static_cast<LONG_PTR>(colour));
    DrawPaletteItem(&item);
  }
};

TEST(ColourCombo, TheSwatchStandsTwoPixelsInsideTheItem) {
  Canvas canvas;
  canvas.Draw(0x00C0C0C0, ODA_DRAWENTIRE);
  EXPECT_EQ(canvas.At(1, 1), kBackground);
  EXPECT_EQ(canvas.At(kWidth - 2, kHeight - 2), kBackground);
  EXPECT_EQ(canvas.At(2, 2), 0x00C0C0C0u);
  EXPECT_EQ(canvas.At(kWidth - 3, kHeight - 3), 0x00C0C0C0u);
  EXPECT_EQ(canvas.CountOf(0x00C0C0C0), (kWidth - 4) * (kHeight - 4)) << "a plain swatch, no outline";
}

TEST(ColourCombo, OnlyTheWhiteSwatchHasAnOutline) {
  Canvas white;
  white.Draw(0x00FFFFFF, ODA_DRAWENTIRE);
  EXPECT_EQ(white.At(2, 2), 0u);
  EXPECT_EQ(white.At(kWidth - 3, 10), 0u);
  EXPECT_EQ(white.At(10, 10), 0x00FFFFFFu);
  EXPECT_EQ(white.At(1, 1), kBackground);

  Canvas yellow;
  yellow.Draw(0x0080FFFF, ODA_DRAWENTIRE);
  EXPECT_EQ(yellow.CountOf(0), 0) << "no black outline";
}

TEST(ColourCombo, TransparentEntriesShowTheirLabelOnANeutralSwatch) {
  Canvas canvas;
  canvas.Draw(kTransparentLight, ODA_DRAWENTIRE);
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(canvas.At(kWidth - 3, kHeight - 3), window);
  EXPECT_EQ(canvas.At(1, 1), kBackground);
  const int swatch = (kWidth - 4) * (kHeight - 4);
  EXPECT_LT(canvas.CountOf(window), swatch) << "some of the swatch is label";
  EXPECT_GT(canvas.CountOf(window), swatch / 2);
}

TEST(ColourCombo, SelectionFramesTheItemAndItsRemovalErasesTheFrame) {
  Canvas canvas;
  canvas.Draw(0x00C0C0C0, ODA_DRAWENTIRE);
  canvas.Draw(0x00C0C0C0, ODA_SELECT, ODS_SELECTED);
  EXPECT_EQ(canvas.At(0, 0), 0u);
  EXPECT_EQ(canvas.At(kWidth - 1, kHeight - 1), 0u);
  EXPECT_EQ(canvas.At(1, 1), kBackground) << "one pixel of frame, then the gap";
  canvas.Draw(0x00C0C0C0, ODA_SELECT, 0);
  EXPECT_EQ(canvas.At(0, 0), 0x00FFFFFFu);
  EXPECT_EQ(canvas.CountOf(0), 0);
  canvas.Draw(0x00C0C0C0, ODA_FOCUS, ODS_FOCUS);
  EXPECT_EQ(canvas.CountOf(0), 0) << "focus draws nothing";
}

TEST(ColourCombo, AnEmptySelectionFieldShowsNoSwatch) {
  Canvas canvas;
  canvas.Draw(0, ODA_DRAWENTIRE, 0, static_cast<UINT>(-1));
  EXPECT_EQ(canvas.CountOf(0), 0) << "item data 0 of no item is not black";
}

}  // namespace
}  // namespace pinlark
