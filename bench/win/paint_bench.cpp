// What one paint of a lightened transparent 800x600 memo with the raised edge costs when the
// shading works on a bitmap copy, against reading and writing each shaded pixel through the
// device context (both paints must leave the same pixels); and what a memo of 64 KB costs to
// paint against one holding only the lines that fit. Prints the ratios measured in this run.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/settings_record.h"
#include "memo/memo_paint.h"
#include "memo/memo_record.h"
#include "memo/shade.h"

namespace {

using namespace pinlark;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kLongWidth = 400;  // the memo of the long text
constexpr int kLongHeight = 300;
constexpr char kOwnerClass[] = "PinlarkPaintBenchOwner";
constexpr char kMemoClass[] = "PinlarkPaintBenchMemo";

bool perPixel = false;  // which of the two paints the memo's WM_PAINT runs

// The paint of a lightened transparent memo with the edge, one GetPixel and SetPixel per pixel.
void PaintPixelByPixel(HWND memo) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(memo, &paint);
  RECT client;
  GetClientRect(memo, &client);
  const int w = client.right, h = client.bottom;

  const int saved = SaveDC(dc);
  POINT corner = {0, 0};
  ClientToScreen(memo, &corner);
  SetWindowOrgEx(dc, corner.x, corner.y, nullptr);
  HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_DESKTOP));
  SelectObject(dc, brush);
  PaintDesktop(dc);
  RestoreDC(dc, saved);
  DeleteObject(brush);

  auto shade = [dc](int x, int y, int delta) { SetPixel(dc, x, y, Shade(GetPixel(dc, x, y), delta)); };
  for (int x = 0; x <= w - 2; ++x) shade(x, 0, 64);
  for (int y = 1; y <= h - 2; ++y) shade(0, y, 64);
  for (int x = 1; x <= w - 3; ++x) shade(x, 1, 32);
  for (int y = 2; y <= h - 3; ++y) shade(1, y, 32);
  for (int x = 0; x <= w - 1; ++x) shade(x, h - 1, -128);
  for (int y = 0; y <= h - 1; ++y) shade(w - 1, y, -128);
  for (int x = 1; x <= w - 1; ++x) shade(x, h - 2, -64);
  for (int y = 1; y <= h - 3; ++y) shade(w - 2, y, -64);
  for (int y = 2; y <= h - 3; ++y) {
    for (int x = 1; x <= w - 3; ++x) shade(x, y, 32);
  }

  HDC fresh = GetDC(memo);
  unsigned r = 0, g = 0, b = 0, count = 0;
  for (int x = 2; x < w - 4; ++x, ++count) {
    const COLORREF p = GetPixel(fresh, x, 2);
    if (p == CLR_INVALID) continue;
    r += GetRValue(p), g += GetGValue(p), b += GetBValue(p);
  }
  ReleaseDC(memo, fresh);
  const bool white = count > 0 && r / count + g / count + b / count <= 381;
  const COLORREF oldColor = white ? SetTextColor(dc, 0x00FFFFFF) : 0;
  int y = 2;
  DrawMemoText(memo, dc, 2, &y);
  if (white) SetTextColor(dc, oldColor);
  EndPaint(memo, &paint);
}

LRESULT CALLBACK MemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    if (perPixel) {
      PaintPixelByPixel(window);
    } else {
      PaintMemo(window);
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool Register(const char* name, WNDPROC procedure) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.cbWndExtra = sizeof(LONG_PTR);
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  windowClass.lpszClassName = name;
  return RegisterClassA(&windowClass) != 0;
}

// The fastest of a few paints, in seconds: the least disturbed by the rest of the machine.
double FastestPaint(HWND memo, int runs) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    InvalidateRect(memo, nullptr, FALSE);
    const Clock::time_point start = Clock::now();
    UpdateWindow(memo);
    GdiFlush();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

std::vector<uint32_t> Shown(HWND memo, int width = kWidth, int height = kHeight) {
  HDC dc = GetDC(memo);
  HDC copy = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, width, height, dc, 0, 0, SRCCOPY);
  std::vector<uint32_t> pixels(static_cast<std::size_t>(width) * height);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SelectObject(copy, old);
  GetDIBits(copy, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  for (uint32_t& p : pixels) p &= 0x00FFFFFF;
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(memo, dc);
  return pixels;
}

// Lines of a memo text up to `bytes`.
std::string LongText(std::size_t bytes) {
  std::string text;
  for (int line = 0; text.size() + 40 < bytes; ++line) {
    text += "\t" + std::to_string(line) + " 行目のメモの文字と数字\r\n";
  }
  return text;
}

// The first `lines` lines of `text`.
std::string FirstLines(const std::string& text, int lines) {
  std::size_t end = 0;
  for (int i = 0; i < lines && end != std::string::npos; ++i) end = text.find("\r\n", end == 0 ? 0 : end + 2);
  return end == std::string::npos ? text : text.substr(0, end);
}

// A 64 KB memo against one holding only as many lines as its window shows: painting should cost
// what the window shows, not what the text holds.
bool PaintLongText(HWND owner) {
  MemoRecord record;
  record.fields[kMemoColor] = 0x0080FFFF;
  HWND memo = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kMemoClass, "", WS_POPUP, 100, 80, kLongWidth,
                              kLongHeight, owner, nullptr, nullptr, nullptr);
  if (memo == nullptr) return false;
  SetWindowLongPtrA(memo, 0, reinterpret_cast<LONG_PTR>(&record));
  ShowWindow(memo, SW_SHOWNOACTIVATE);
  const std::string text = LongText(65534);
  HDC dc = GetDC(memo);
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  ReleaseDC(memo, dc);
  const int shown = kLongHeight / metrics.tmHeight + 1;
  SetWindowTextA(memo, FirstLines(text, shown).c_str());
  const double screenful = FastestPaint(memo, 20);
  const std::vector<uint32_t> screenfulPixels = Shown(memo, kLongWidth, kLongHeight);
  SetWindowTextA(memo, text.c_str());
  const double whole = FastestPaint(memo, 20);
  const std::vector<uint32_t> wholePixels = Shown(memo, kLongWidth, kLongHeight);
  DestroyWindow(memo);
  if (screenfulPixels != wholePixels) {
    std::fprintf(stderr, "the long memo and its first screenful painted different pixels\n");
    return false;
  }
  std::printf("paint_64kb_memo_vs_its_first_screenful: 1 : %.2f (target at most 1.5; %zu bytes, %d lines shown)\n",
              whole / screenful, text.size(), shown);
  return true;
}

}  // namespace

int main() {
  if (!Register(kOwnerClass, DefWindowProcA) || !Register(kMemoClass, MemoProc)) {
    std::fprintf(stderr, "cannot register the window classes\n");
    return 1;
  }
  // The owner stands in for the main window: the settings record with the edge turned on.
  SettingsRecord settings;
  settings.app.threeDMode = 1;
  HWND owner = CreateWindowExA(0, kOwnerClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(owner, 0, reinterpret_cast<LONG_PTR>(&settings));
  MemoRecord record;
  record.fields[kMemoColor] = kTransparentLight;
  HWND memo = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kMemoClass, "", WS_POPUP, 100, 80, kWidth, kHeight,
                              owner, nullptr, nullptr, nullptr);
  if (owner == nullptr || memo == nullptr) {
    std::fprintf(stderr, "cannot create the windows\n");
    return 1;
  }
  SetWindowLongPtrA(memo, 0, reinterpret_cast<LONG_PTR>(&record));
  SetWindowTextA(memo, "買い物\r\n\t牛乳\t2本\r\n\tパン\r\nメモの透明な背景は明るく");
  ShowWindow(memo, SW_SHOWNOACTIVATE);

  perPixel = true;
  const double slow = FastestPaint(memo, 3);
  const std::vector<uint32_t> slowPixels = Shown(memo);
  perPixel = false;
  const double fast = FastestPaint(memo, 20);
  const std::vector<uint32_t> fastPixels = Shown(memo);

  DestroyWindow(memo);
  if (slowPixels != fastPixels) {
    std::fprintf(stderr, "the two paints left different pixels\n");
    return 1;
  }
  std::printf("paint_transparent_light_800x600_bitmap_vs_per_pixel: 1 : %.1f\n", slow / fast);
  const bool longText = PaintLongText(owner);
  SetWindowLongPtrA(owner, 0, 0);
  DestroyWindow(owner);
  return longText ? 0 : 1;
}
