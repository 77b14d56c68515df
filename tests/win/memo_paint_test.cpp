// Memo painting: pixels read back from painted memo windows and from device contexts.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/settings_record.h"
#include "memo/memo_paint.h"
#include "memo/memo_record.h"
#include "memo/shade.h"
#include "win_test_support.h"

namespace pinlark {
namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0x00000000;

// A memory picture: a 32-bit DIB selected into its own device context. Pixels are read through
// GetPixel, so the test does not share the painting code's view of the DIB layout.
class MemoryPicture {
 public:
  MemoryPicture(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<uint8_t*>(bits);
  }
  ~MemoryPicture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  // Stores a colour 0x00BBGGRR as the bytes blue, green, red, unused.
  void Put(int x, int y, uint32_t color) {
    GdiFlush();
    uint8_t* p = bits_ + (static_cast<std::size_t>(y) * width_ + x) * 4;
    p[0] = static_cast<uint8_t>(color >> 16);
    p[1] = static_cast<uint8_t>(color >> 8);
    p[2] = static_cast<uint8_t>(color);
    p[3] = 0;
  }
  std::vector<uint32_t> Read() const {
    std::vector<uint32_t> colors;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) colors.push_back(GetPixel(dc_, x, y));
    }
    return colors;
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint8_t* bits_ = nullptr;
};

// What a device context shows in (0, 0, w, h), as colours 0x00BBGGRR, row by row.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> colors;
  uint32_t At(int x, int y) const { return colors[static_cast<std::size_t>(y) * width + x]; }
  std::set<uint32_t> ColorsIn(int left, int top, int right, int bottom) const {
    std::set<uint32_t> found;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) found.insert(At(x, y));
    }
    return found;
  }
};

Picture CopyOf(HDC dc, int width, int height) {
  MemoryPicture copy(width, height);
  BitBlt(copy.dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
  return {width, height, copy.Read()};
}

constexpr char kTestMemoClass[] = "PinlarkPaintTestMemo";

// A stand-in for the memo window procedure: paints with PaintMemo, owns its memo record.
LRESULT CALLBACK TestMemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintMemo(window);
    return 0;
  }
  if (message == WM_NCDESTROY) {
    delete reinterpret_cast<MemoRecord*>(GetWindowLongPtrA(window, 0));
    SetWindowLongPtrA(window, 0, 0);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool TestMemoClassRegistered() {
  static const bool registered = [] {
    WNDCLASSA memoClass = {};
    memoClass.lpfnWndProc = TestMemoProc;
    memoClass.cbWndExtra = sizeof(LONG_PTR);
    memoClass.hInstance = GetModuleHandleA(nullptr);
    memoClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    memoClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    memoClass.lpszClassName = kTestMemoClass;
    return RegisterClassA(&memoClass) != 0;
  }();
  return registered;
}

// A memo of the given colour and text, shown on top at a known place of the screen.
class TestMemo {
 public:
  TestMemo(HWND mainWindow, int32_t color, const char* text, int width = 120, int height = 60)
      : width_(width), height_(height) {
    if (!TestMemoClassRegistered()) return;
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTestMemoClass, "", WS_POPUP, 200, 150, width,
                              height, mainWindow, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window_ == nullptr) return;
    auto* record = new MemoRecord;
    record->fields[kMemoColor] = color;
    SetWindowLongPtrA(window_, 0, reinterpret_cast<LONG_PTR>(record));
    SetWindowTextA(window_, text);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
  ~TestMemo() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  HWND window() const { return window_; }

  // Paints the whole memo again and reads back what it shows.
  Picture Paint() const {
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
    HDC dc = GetDC(window_);
    Picture shown = CopyOf(dc, width_, height_);
    ReleaseDC(window_, dc);
    return shown;
  }

 private:
  int width_, height_;
  HWND window_ = nullptr;
};

struct PaintSetup {
  explicit PaintSetup(bool threeD) { SetSetting(main.window(), kSet3DMode, threeD ? 1 : 0); }
  test::MainWindowFixture main;
};

uint32_t Desktop() { return GetSysColor(COLOR_DESKTOP); }

uint32_t Shaded(uint32_t color, std::initializer_list<int> deltas) {
  for (int d : deltas) color = Shade(color, d);
  return color;
}

TEST(MemoPaint, AnOpaqueMemoWithoutEdgeIsAFlatRectangleOfItsColour) {
  PaintSetup setup(false);
  TestMemo memo(setup.main.window(), 0x00408060, "");
  ASSERT_NE(memo.window(), nullptr);
  const Picture shown = memo.Paint();
  EXPECT_EQ(shown.ColorsIn(0, 0, 120, 60), std::set<uint32_t>{0x00408060});
}

TEST(MemoPaint, TheRaisedEdgeOfAnOpaqueMemoIsTwoShadedLinesOnEachSide) {
  PaintSetup setup(true);
  const uint32_t c = 0x0090A0C8;
  TestMemo memo(setup.main.window(), static_cast<int32_t>(c), "");
  const Picture p = memo.Paint();
  const int w = 120, h = 60;
  struct Expect { int x, y; uint32_t color; };
  const Expect expected[] = {
      {0, 0, Shade(c, 64)},       {60, 0, Shade(c, 64)},      {w - 2, 0, Shade(c, 64)},
      {w - 1, 0, Shade(c, -128)}, {0, 30, Shade(c, 64)},      {0, h - 2, Shade(c, 64)},
      {0, h - 1, Shade(c, -128)}, {1, 1, Shade(c, 32)},       {60, 1, Shade(c, 32)},
      {w - 2, 1, Shade(c, -64)},  {1, 30, Shade(c, 32)},      {1, h - 2, Shade(c, -64)},
      {60, h - 1, Shade(c, -128)}, {w - 1, h - 1, Shade(c, -128)}, {w - 1, 30, Shade(c, -128)},
      {60, h - 2, Shade(c, -64)}, {w - 2, 30, Shade(c, -64)}, {w - 2, h - 2, Shade(c, -64)},
      {2, 2, c},                  {w - 3, h - 3, c},          {60, 30, c},
  };
  for (const Expect& e : expected) EXPECT_EQ(p.At(e.x, e.y), e.color) << "x=" << e.x << " y=" << e.y;
  EXPECT_EQ(p.ColorsIn(2, 2, w - 2, h - 2), std::set<uint32_t>{c});
}

TEST(MemoPaint, ABlackMemoHasWhiteTextAndOtherColoursBlackText) {
  PaintSetup setup(false);
  const char* text = "MMMM\r\nWWWW";
  {
    TestMemo black(setup.main.window(), 0, text);
    const std::set<uint32_t> colors = black.Paint().ColorsIn(0, 0, 120, 60);
    EXPECT_TRUE(colors.count(kWhite)) << "white ink on the black memo";
    EXPECT_GE(colors.size(), 2u);
  }
  for (uint32_t color : {0x00FFFFFFu, 0x0080FFFFu, 0x00800000u}) {
    TestMemo memo(setup.main.window(), static_cast<int32_t>(color), text);
    const std::set<uint32_t> colors = memo.Paint().ColorsIn(0, 0, 120, 60);
    EXPECT_TRUE(colors.count(kBlack)) << std::hex << color;
    if (color != kWhite) {
      EXPECT_FALSE(colors.count(kWhite)) << std::hex << color;
    }
  }
}

TEST(MemoPaint, APlainTransparentMemoShowsTheDesktopUnchanged) {
  PaintSetup setup(false);
  TestMemo memo(setup.main.window(), kTransparent, "");
  EXPECT_EQ(memo.Paint().ColorsIn(0, 0, 120, 60), std::set<uint32_t>{Desktop()});
}

TEST(MemoPaint, TheRaisedEdgeOfATransparentMemoShadesTheDesktopTwiceAtTheCorners) {
  PaintSetup setup(true);
  const uint32_t d = Desktop();
  TestMemo memo(setup.main.window(), kTransparent, "");
  const Picture p = memo.Paint();
  const int w = 120, h = 60;
  EXPECT_EQ(p.At(0, 0), Shaded(d, {64}));
  EXPECT_EQ(p.At(w - 2, 0), Shaded(d, {64}));
  EXPECT_EQ(p.At(w - 1, 0), Shaded(d, {-128}));
  EXPECT_EQ(p.At(0, h - 2), Shaded(d, {64}));
  EXPECT_EQ(p.At(0, h - 1), Shaded(d, {-128}));
  EXPECT_EQ(p.At(1, 1), Shaded(d, {32}));
  EXPECT_EQ(p.At(w - 3, 1), Shaded(d, {32}));
  EXPECT_EQ(p.At(w - 2, 1), Shaded(d, {-64}));
  EXPECT_EQ(p.At(1, h - 3), Shaded(d, {32}));
  EXPECT_EQ(p.At(1, h - 2), Shaded(d, {-64}));
  EXPECT_EQ(p.At(w - 1, h - 1), Shaded(d, {-128, -128}));
  EXPECT_EQ(p.At(w - 1, h - 2), Shaded(d, {-128, -64}));
  EXPECT_EQ(p.At(w - 2, h - 3), Shaded(d, {-64}));
  EXPECT_EQ(p.ColorsIn(2, 2, w - 2, h - 2), std::set<uint32_t>{d});
}

TEST(MemoPaint, LightenedAndDarkenedMemosShadeTheDesktopInside) {
  PaintSetup setup(false);
  const uint32_t d = Desktop();
  const int w = 120, h = 60;
  for (auto [color, delta] : {std::pair{kTransparentLight, 32}, std::pair{kTransparentDark, -32}}) {
    TestMemo memo(setup.main.window(), color, "");
    const Picture p = memo.Paint();
    EXPECT_EQ(p.ColorsIn(1, 2, w - 2, h - 2), std::set<uint32_t>{Shade(d, delta)}) << color;
    EXPECT_EQ(p.ColorsIn(0, 0, w, 2), std::set<uint32_t>{d}) << color;
    EXPECT_EQ(p.ColorsIn(0, h - 2, w, h), std::set<uint32_t>{d}) << color;
    EXPECT_EQ(p.ColorsIn(0, 0, 1, h), std::set<uint32_t>{d}) << color;
    EXPECT_EQ(p.ColorsIn(w - 2, 0, w, h), std::set<uint32_t>{d}) << color;
  }
}

TEST(MemoPaint, TextOnATransparentMemoIsWhiteExactlyOverADarkBackground) {
  PaintSetup setup(true);
  for (int32_t color : {kTransparent, kTransparentLight, kTransparentDark}) {
    const uint32_t background =
        color == kTransparentLight ? Shade(Desktop(), 32) : color == kTransparentDark ? Shade(Desktop(), -32) : Desktop();
    const bool dark = (background & 0xFF) + ((background >> 8) & 0xFF) + ((background >> 16) & 0xFF) <= 381;
    TestMemo memo(setup.main.window(), color, "MMMM\r\nWWWW");
    const std::set<uint32_t> colors = memo.Paint().ColorsIn(2, 2, 118, 58);
    EXPECT_TRUE(colors.count(dark ? kWhite : kBlack)) << color;
    EXPECT_FALSE(colors.count(dark ? kBlack : kWhite)) << color;
  }
}

TEST(MemoPaint, AFinalLineBreakDrawsNothingMore) {
  PaintSetup setup(false);
  TestMemo with(setup.main.window(), 0x00C0FFFF, "ab\r\ncd\r\n");
  TestMemo without(setup.main.window(), 0x00C0FFFF, "ab\r\ncd");
  TestMemo empty(setup.main.window(), 0x00C0FFFF, "");
  const Picture a = with.Paint();
  EXPECT_EQ(a.colors, without.Paint().colors);
  EXPECT_NE(a.colors, empty.Paint().colors);
}

// The memo's picture drawn by hand: white, with pieces of text at given places.
struct Piece {
  int x;
  const char* text;
};
Picture HandDrawn(HFONT font, std::initializer_list<Piece> pieces) {
  MemoryPicture picture(120, 60);
  RECT all = {0, 0, 120, 60};
  FillRect(picture.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ old = font != nullptr ? SelectObject(picture.dc(), font) : nullptr;
  SetBkMode(picture.dc(), TRANSPARENT);
  for (const Piece& piece : pieces) TextOutA(picture.dc(), piece.x, 2, piece.text, lstrlenA(piece.text));
  if (old != nullptr) SelectObject(picture.dc(), old);
  return {120, 60, picture.Read()};
}

int TabWidth(HFONT font) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
  SIZE size = {};
  GetTextExtentPoint32A(screen, "1234", 4, &size);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return size.cx;
}

TEST(MemoPaint, TabStopsLieAtTwoPlusMultiplesOfTheWidthOf1234) {
  PaintSetup setup(false);
  const int tab = TabWidth(nullptr);
  ASSERT_GT(tab, 8);
  TestMemo one(setup.main.window(), 0x00FFFFFF, "a\tb");
  const Picture p = one.Paint();
  EXPECT_EQ(p.colors, HandDrawn(nullptr, {{2, "a"}, {2 + tab, "b"}}).colors);
  EXPECT_NE(p.colors, HandDrawn(nullptr, {{2, "a"}, {tab, "b"}}).colors) << "a stop at the tab width alone";

  TestMemo two(setup.main.window(), 0x00FFFFFF, "\ta\t\tb");
  EXPECT_EQ(two.Paint().colors, HandDrawn(nullptr, {{2 + tab, "a"}, {2 + 3 * tab, "b"}}).colors);
  TestMemo past(setup.main.window(), 0x00FFFFFF, "12345\tb");
  EXPECT_EQ(past.Paint().colors, HandDrawn(nullptr, {{2, "12345"}, {2 + 2 * tab, "b"}}).colors);
}

TEST(MemoPaint, TheMemoFontIsUsedWhenThereIsOne) {
  PaintSetup setup(false);
  HFONT font = CreateFontA(-22, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma");
  ASSERT_NE(font, nullptr);
  SetSetting(setup.main.window(), kSetMemoFont, reinterpret_cast<intptr_t>(font));  // the record owns it now
  const int tab = TabWidth(font);
  TestMemo memo(setup.main.window(), 0x00FFFFFF, "Ab\tc");
  const Picture p = memo.Paint();
  EXPECT_EQ(p.colors, HandDrawn(font, {{2, "Ab"}, {2 + tab, "c"}}).colors);
  EXPECT_NE(p.colors, HandDrawn(nullptr, {{2, "Ab"}, {2 + tab, "c"}}).colors);
}

// A window that only holds a text for DrawMemoText.
struct TextHolder {
  explicit TextHolder(const char* text)
      : window(CreateWindowExA(0, "STATIC", text, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)) {}
  ~TextHolder() { DestroyWindow(window); }
  HWND window;
};

TEST(MemoPaintText, EndsOneLineHeightBelowEachDrawnLine) {
  MemoryPicture picture(200, 200);
  SIZE cell = {};
  GetTextExtentPoint32A(picture.dc(), "1234", 4, &cell);
  ASSERT_GT(cell.cy, 0);
  const struct {
    const char* text;
    int lines;
  } cases[] = {{"", 1}, {"x", 1}, {"\r\n", 2}, {"a\r\nb\r\n", 2}, {"a\r\nb\r\n\r\n", 3}, {"a\nb", 1}, {"a\r", 2}};
  for (const auto& c : cases) {
    TextHolder holder(c.text);
    int y = 10;
    DrawMemoText(holder.window, picture.dc(), 0, &y);
    EXPECT_EQ(y, 10 + c.lines * cell.cy) << '"' << c.text << '"';
  }
}

TEST(MemoPaintText, DrawsInTheCallersColourWithoutFillingTheCells) {
  MemoryPicture picture(120, 60);
  RECT all = {0, 0, 120, 60};
  HBRUSH green = CreateSolidBrush(0x0000FF00);
  FillRect(picture.dc(), &all, green);
  DeleteObject(green);
  SetTextColor(picture.dc(), 0x000000FF);
  SetBkColor(picture.dc(), 0x00FF0000);
  TextHolder holder("MMMM");
  int y = 2;
  DrawMemoText(holder.window, picture.dc(), 2, &y);
  const Picture p = {120, 60, picture.Read()};
  const std::set<uint32_t> colors = p.ColorsIn(0, 0, 120, 60);
  EXPECT_TRUE(colors.count(0x000000FF));
  EXPECT_TRUE(colors.count(0x0000FF00));
  EXPECT_FALSE(colors.count(0x00FF0000)) << "no cell filled with the background colour";
}

// A picture with different red, green and blue everywhere; `base` moves it lighter or darker.
void DrawGradient(MemoryPicture& picture, int width, int height, int base) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t r = (base + x * 37 + y * 11) & 0x7F, g = (base + x * 5 + y * 53) & 0x7F, b = (base + x * y * 3) & 0x7F;
      picture.Put(x, y, (static_cast<uint32_t>(base) + r) | ((base + g) << 8) | ((base + b) << 16));
    }
  }
}

// The shading of a transparent memo done one pixel at a time through the device context.
std::optional<bool> ShadePixelByPixel(HDC dc, int w, int h, int32_t color, bool threeD) {
  auto shade = [dc](int x, int y, int delta) { SetPixel(dc, x, y, Shade(GetPixel(dc, x, y), delta)); };
  if (threeD) {
    for (int x = 0; x <= w - 2; ++x) shade(x, 0, 64);
    for (int y = 1; y <= h - 2; ++y) shade(0, y, 64);
    for (int x = 1; x <= w - 3; ++x) shade(x, 1, 32);
    for (int y = 2; y <= h - 3; ++y) shade(1, y, 32);
    for (int x = 0; x <= w - 1; ++x) shade(x, h - 1, -128);
    for (int y = 0; y <= h - 1; ++y) shade(w - 1, y, -128);
    for (int x = 1; x <= w - 1; ++x) shade(x, h - 2, -64);
    for (int y = 1; y <= h - 3; ++y) shade(w - 2, y, -64);
  }
  if (color != kTransparent) {
    for (int y = 2; y <= h - 3; ++y) {
      for (int x = 1; x <= w - 3; ++x) shade(x, y, color == kTransparentLight ? 32 : -32);
    }
  }
  unsigned r = 0, g = 0, b = 0, count = 0;
  for (int x = 2; x < w - 4; ++x, ++count) {
    const COLORREF p = GetPixel(dc, x, 2);
    if (p == CLR_INVALID) continue;
    r += GetRValue(p), g += GetGValue(p), b += GetBValue(p);
  }
  if (count == 0) return std::nullopt;
  return r / count + g / count + b / count <= 381;
}

TEST(MemoPaintShading, TheBitmapGivesThePixelsOfShadingPixelByPixel) {
  const std::pair<int, int> sizes[] = {{40, 30}, {7, 5}, {5, 4}, {3, 3}, {1, 1}, {6, 9}, {7, 2}, {8, 3}, {2, 9}};
  int darkSeen = 0, lightSeen = 0;
  for (auto [w, h] : sizes) {
    for (int base : {0, 64, 128}) {
      for (int32_t color : {kTransparent, kTransparentLight, kTransparentDark}) {
        for (bool threeD : {false, true}) {
          MemoryPicture fast(w, h), slow(w, h);
          DrawGradient(fast, w, h, base);
          DrawGradient(slow, w, h, base);
          const std::optional<bool> fastDark = ShadeTransparentPicture(fast.dc(), w, h, color, threeD);
          const std::optional<bool> slowDark = ShadePixelByPixel(slow.dc(), w, h, color, threeD);
          const std::string where = std::to_string(w) + "x" + std::to_string(h) + " base " + std::to_string(base) +
                                    " colour " + std::to_string(color) + (threeD ? " 3D" : "");
          ASSERT_EQ(fast.Read(), slow.Read()) << where;
          ASSERT_EQ(fastDark, slowDark) << where;
          darkSeen += fastDark == true;
          lightSeen += fastDark == false;
        }
      }
    }
  }
  EXPECT_GT(darkSeen, 0);
  EXPECT_GT(lightSeen, 0);
}

}  // namespace
}  // namespace pinlark
