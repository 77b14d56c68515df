#include "memo/memo_paint.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/settings_record.h"
#include "memo/memo_record.h"
#include "memo/shade.h"
#include "memo/text_lines.h"

namespace pinlark {
namespace {

constexpr int kTextOrigin = 2;
constexpr int kTabOrigin = 2;
constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr std::size_t kMaxTextBytes = 65535;  // the longest text and its NUL
constexpr std::size_t kFirstRead = 4096;      // more than a screenful of most memos
// Row of a transparent memo whose brightness picks the text colour.
constexpr int kSampleRow = 2;

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// The bitmap transparent memos are shaded on: a 32-bit top-down DIB selected into a memory dc,
// kept from paint to paint and grown to the largest memo painted. Fresh memory of that size
// costs more to fault in than the shading itself. User-interface thread only.
class ScratchBitmap {
 public:
  ~ScratchBitmap() { Release(); }

  // Room for width x height pixels at the top left; false when no bitmap can be had.
  bool Reserve(int width, int height) {
    if (pixels_ != nullptr && width <= width_ && height <= height_) return true;
    const int newWidth = width > width_ ? width : width_;
    const int newHeight = height > height_ ? height : height_;
    Release();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = newWidth;
    info.bmiHeader.biHeight = -newHeight;  // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc_ == nullptr || bitmap_ == nullptr || bits == nullptr) {
      Release();
      return false;
    }
    oldBitmap_ = SelectObject(dc_, bitmap_);
    pixels_ = static_cast<uint32_t*>(bits);
    width_ = newWidth;
    height_ = newHeight;
    return true;
  }

  HDC Dc() const { return dc_; }
  // Row y starts at Pixels() + y * Stride(); rows of 32-bit pixels need no padding.
  uint32_t* Pixels() const { return pixels_; }
  int Stride() const { return width_; }

 private:
  void Release() {
    if (oldBitmap_ != nullptr) SelectObject(dc_, oldBitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    oldBitmap_ = nullptr;
    pixels_ = nullptr;
    width_ = height_ = 0;
  }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

ScratchBitmap& Scratch() {
  static ScratchBitmap scratch;
  return scratch;
}

// Copies (x, y, width, height) of `dc` to the top left of the scratch bitmap, as colours
// 0x00BBGGRR; null when there is no bitmap.
uint32_t* CopyToScratch(HDC dc, int x, int y, int width, int height) {
  ScratchBitmap& scratch = Scratch();
  if (!scratch.Reserve(width, height)) return nullptr;
  if (!BitBlt(scratch.Dc(), 0, 0, width, height, dc, x, y, SRCCOPY)) return nullptr;
  GdiFlush();  // the blit must have landed before the bits are touched
  for (int row = 0; row < height; ++row) {
    uint32_t* p = scratch.Pixels() + static_cast<std::ptrdiff_t>(row) * scratch.Stride();
    for (int i = 0; i < width; ++i) p[i] = ColorFromDibPixel(p[i]);
  }
  return scratch.Pixels();
}

void PutBackFromScratch(HDC dc, int width, int height) {
  ScratchBitmap& scratch = Scratch();
  for (int row = 0; row < height; ++row) {
    uint32_t* p = scratch.Pixels() + static_cast<std::ptrdiff_t>(row) * scratch.Stride();
    for (int i = 0; i < width; ++i) p[i] = DibPixelFromColor(p[i]);
  }
  GdiFlush();
  BitBlt(dc, 0, 0, width, height, scratch.Dc(), 0, 0, SRCCOPY);
}

// The pixels sampled for the text colour, x from 2 while x < w - 4, as colours; a row below
// the client area reads as unreadable pixels, as the device context would answer.
std::vector<uint32_t> SampleRow(const uint32_t* row, int width) {
  std::vector<uint32_t> sample;
  for (int x = 2; x < width - 4; ++x) sample.push_back(row != nullptr ? row[x] : kUnreadablePixel);
  return sample;
}

std::optional<bool> IsDarkSample(const std::vector<uint32_t>& sample) {
  return IsDarkRow(sample.data(), static_cast<int>(sample.size()));
}

// The shell's desktop view, which can paint the desktop into a device context handed to it, when
// it runs in this process. A device context is good only in the process that made it, and the
// desktop is another program's window wherever there is a shell (Wine has none): there the view
// is not asked, and the system paints the desktop itself (PaintDesktopBehind).
HWND FindDesktopView() {
  HWND progman = FindWindowA("Progman", nullptr);
  HWND view = progman != nullptr ? FindWindowExA(progman, nullptr, "SHELLDLL_DefView", nullptr) : nullptr;
  DWORD process = 0;
  if (view != nullptr) GetWindowThreadProcessId(view, &process);
  return view != nullptr && process == GetCurrentProcessId() ? view : nullptr;
}

// Without a desktop view of its own process the system paints the desktop itself: Windows its
// wallpaper or pattern, Wine only the dc's brush, which is the desktop colour. Its coordinates
// are the screen's, so the dc's origin moves to the memo's place for the picture to line up.
void PaintDesktopBehind(HWND memo, HDC dc) {
  POINT corner = {0, 0};
  ClientToScreen(memo, &corner);
  SetWindowOrgEx(dc, corner.x, corner.y, nullptr);
  HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_DESKTOP));
  if (brush != nullptr) SelectObject(dc, brush);
  PaintDesktop(dc);
  if (brush != nullptr) {
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    DeleteObject(brush);
  }
}

// The picture behind a transparent memo, shaded; answers whether the text goes white.
std::optional<bool> PaintTransparentBackground(HWND memo, HDC dc, const RECT& client, int32_t color, bool threeD) {
  // Whoever paints the desktop may leave its own colours, origin and brush in the dc (Wine's
  // PaintDesktop sets the text colour to the desktop's); the memo's text needs the dc as it was.
  const int saved = SaveDC(dc);
  if (HWND view = FindDesktopView()) {
    SendMessageA(view, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(view, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  } else {
    PaintDesktopBehind(memo, dc);
  }
  if (saved != 0) RestoreDC(dc, saved);
  return ShadeTransparentPicture(dc, client.right, client.bottom, color, threeD);
}

void DrawEdgeLine(HDC dc, COLORREF color, const POINT (&points)[3]) {
  HPEN pen = CreatePen(PS_SOLID, 0, color);
  if (pen == nullptr) return;
  HGDIOBJ oldPen = SelectObject(dc, pen);
  MoveToEx(dc, points[0].x, points[0].y, nullptr);
  LineTo(dc, points[1].x, points[1].y);
  LineTo(dc, points[2].x, points[2].y);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void PaintOpaqueBackground(HDC dc, const RECT& client, int32_t color, bool threeD) {
  const COLORREF colour = static_cast<COLORREF>(color);
  if (HBRUSH brush = CreateSolidBrush(colour)) {
    FillRect(dc, &client, brush);
    DeleteObject(brush);
  }
  if (!threeD) return;
  const int w = client.right;
  const int h = client.bottom;
  // Light from the top left: lighter top and left edges, darker bottom and right ones. The
  // end point of each line is not painted.
  const POINT outerLight[3] = {{w - 2, 0}, {0, 0}, {0, h - 1}};
  const POINT innerLight[3] = {{w - 2, 1}, {1, 1}, {1, h - 1}};
  const POINT outerDark[3] = {{0, h - 1}, {w - 1, h - 1}, {w - 1, -1}};
  const POINT innerDark[3] = {{1, h - 2}, {w - 2, h - 2}, {w - 2, 0}};
  DrawEdgeLine(dc, Shade(colour, +64), outerLight);
  DrawEdgeLine(dc, Shade(colour, +32), innerLight);
  DrawEdgeLine(dc, Shade(colour, -128), outerDark);
  DrawEdgeLine(dc, Shade(colour, -64), innerDark);
}

// The first `wanted` lines of the window's text, read into `buffer` no further than they reach:
// a screenful of a long memo costs what it shows. A text that filled the buffer (allowing for a
// double-byte character that did not fit) may go on, and only the lines whose end was read
// count, until the longest text fits.
std::vector<std::string_view> FirstLinesOf(HWND window, std::size_t wanted, std::string* buffer) {
  std::size_t size = wanted == SIZE_MAX ? kMaxTextBytes : kFirstRead;
  for (;; size = std::min(size * 4, kMaxTextBytes)) {
    buffer->assign(size, '\0');
    const int length = GetWindowTextA(window, buffer->data(), static_cast<int>(size));
    const std::size_t got = length > 0 ? static_cast<std::size_t>(length) : 0;
    const std::string_view text(buffer->data(), got);
    if (got + 2 < size || size == kMaxTextBytes) return LayoutLines(text, SystemLeadByte, wanted);
    std::vector<std::string_view> lines = LayoutLines(text, SystemLeadByte, wanted + 1);
    if (lines.size() > wanted) {
      lines.resize(wanted);
      return lines;
    }
  }
}

}  // namespace

std::optional<bool> ShadeTransparentPicture(HDC dc, int width, int height, int32_t color, bool threeD) {
  if (width <= 0 || height <= 0) return IsDarkSample(SampleRow(nullptr, width));
  const int interiorDelta = color == kTransparentLight ? +32 : color == kTransparentDark ? -32 : 0;
  if (!threeD && interiorDelta == 0) {
    // Nothing to shade: only the sampled row is needed.
    if (height <= kSampleRow) return IsDarkSample(SampleRow(nullptr, width));
    const uint32_t* row = CopyToScratch(dc, 0, kSampleRow, width, 1);
    if (row == nullptr) return std::nullopt;
    return IsDarkSample(SampleRow(row, width));
  }

  uint32_t* pixels = CopyToScratch(dc, 0, 0, width, height);
  if (pixels == nullptr) return std::nullopt;
  PixelPicture picture = {width, height, pixels, Scratch().Stride()};
  if (threeD) ShadeEdge(picture);
  if (interiorDelta != 0) ShadeInterior(picture, interiorDelta);
  const std::optional<bool> dark =
      IsDarkSample(SampleRow(height > kSampleRow ? picture.Row(kSampleRow) : nullptr, width));
  PutBackFromScratch(dc, width, height);
  return dark;
}

void DrawMemoText(HWND window, HDC dc, int x, int* y, int bottom) {
  SetBkMode(dc, TRANSPARENT);
  SIZE cell = {0, 0};
  GetTextExtentPoint32A(dc, "1234", 4, &cell);
  INT tabWidth = cell.cx;
  std::size_t wanted = SIZE_MAX;  // the lines that start above `bottom`
  if (bottom != INT_MAX && cell.cy > 0) {
    wanted = bottom > *y ? static_cast<std::size_t>((bottom - *y + cell.cy - 1) / cell.cy) : 0;
  }
  std::string buffer;
  for (std::string_view line : FirstLinesOf(window, wanted, &buffer)) {
    TabbedTextOutA(dc, x, *y, line.data(), static_cast<int>(line.size()), 1, &tabWidth, kTabOrigin);
    *y += cell.cy;
  }
}

void PaintMemo(HWND memo) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(memo, &paint);
  if (dc == nullptr) return;
  RECT client = {0, 0, 0, 0};
  GetClientRect(memo, &client);
  const int32_t color = GetMemoField(memo, kMemoColor);
  const SettingsRecord* settings = GetSettingsRecord(MainWindowOfMemo(memo));
  const bool threeD = settings != nullptr && settings->app.threeDMode != 0;
  HFONT font = settings != nullptr ? settings->memoFont : nullptr;
  HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;

  bool whiteText = false;
  if (IsTransparentColor(color)) {
    whiteText = PaintTransparentBackground(memo, dc, client, color, threeD).value_or(false);
  } else {
    PaintOpaqueBackground(dc, client, color, threeD);
    whiteText = color == 0;
  }

  const COLORREF oldTextColor = whiteText ? SetTextColor(dc, kWhite) : 0;
  int y = kTextOrigin;
  DrawMemoText(memo, dc, kTextOrigin, &y, paint.rcPaint.bottom);
  if (whiteText) SetTextColor(dc, oldTextColor);
  if (oldFont != nullptr) SelectObject(dc, oldFont);
  EndPaint(memo, &paint);
}

}  // namespace pinlark
