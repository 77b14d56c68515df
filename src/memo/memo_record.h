// The memo record: seven 32-bit fields hung on each memo window. The text is the window text,
// the geometry the window rectangle.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace pinlark {

enum MemoField {
  kMemoColor = 0, kMemoTopMost = 1, kMemoNoArrange = 2, kMemoReserved = 3, kMemoNoMinClm = 4,
  kMemoAlarm = 5, kMemoAlarmTime = 6,
};

struct MemoRecord {
  int32_t fields[7] = {};
  // The text as the settings file stores it, from the last save until the text changes: a save
  // writes every memo, and escaping texts that did not change would be most of its work.
  std::optional<std::string> storedText;
};

// Memo colours that are not colours: the transparent memos.
inline constexpr int32_t kTransparent = -1;
inline constexpr int32_t kTransparentLight = -2;
inline constexpr int32_t kTransparentDark = -3;
inline bool IsTransparentColor(int32_t color) { return color <= kTransparent && color >= kTransparentDark; }

// Field `index` (0-6) of the memo; 0 for no window and for any other index.
int32_t GetMemoField(HWND memo, int index);
// Stores field `index` (0-6); other indices change nothing.
void SetMemoField(HWND memo, int index, int32_t value);

// The stored form of the memo's text kept by the last save; null when the text changed since
// (or no save has been made), and for no window.
const std::string* KeptStoredText(HWND memo);
void KeepStoredText(HWND memo, std::string stored);
// Called whenever the text changes.
void ForgetStoredText(HWND memo);

// The main window that owns the memo.
HWND MainWindowOfMemo(HWND memo);

// The memo's text (at most 65534 bytes).
std::string MemoText(HWND memo);

}  // namespace pinlark
