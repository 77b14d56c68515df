// The memos of the start-up measurement, shared by the bench and its floor program: an 8 x 8
// grid of 120 x 90 memos over a 1024 x 768 desktop, each with a text of a given size.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace startup {

inline constexpr int kMemos = 64;
inline constexpr std::size_t kTextBytes = 4 * 1024;
inline constexpr char kFloorClass[] = "PinlarkStartupFloor";
inline constexpr char kWithIconsOption[] = "-icons";  // the floor with a class icon and a tray icon

inline RECT MemoRect(int i) {
  const int left = 16 + (i % 8) * 124, top = 16 + (i / 8) * 92;
  return {left, top, left + 120, top + 90};
}

// Shift-JIS lines with tabs, cut at a line end near `bytes`.
inline std::string MemoText(int i, std::size_t bytes) {
  std::string text;
  for (int line = 0; text.size() < bytes; ++line) {
    text += "メモ " + std::to_string(i) + "\t" + std::to_string(line) + " 行目の文字\r\n";
  }
  return text;
}

}  // namespace startup
