#include "memo/memo_record.h"

#include <algorithm>
#include <utility>

namespace pinlark {
namespace {

MemoRecord* RecordOf(HWND memo) {
  return memo != nullptr ? reinterpret_cast<MemoRecord*>(GetWindowLongPtrA(memo, 0)) : nullptr;
}

}  // namespace

int32_t GetMemoField(HWND memo, int index) {
  const MemoRecord* record = RecordOf(memo);
  if (record == nullptr || index < 0 || index > kMemoAlarmTime) return 0;
  return record->fields[index];
}

void SetMemoField(HWND memo, int index, int32_t value) {
  MemoRecord* record = RecordOf(memo);
  if (record == nullptr || index < 0 || index > kMemoAlarmTime) return;
  record->fields[index] = value;
}

const std::string* KeptStoredText(HWND memo) {
  const MemoRecord* record = RecordOf(memo);
  return record != nullptr && record->storedText ? &*record->storedText : nullptr;
}

void KeepStoredText(HWND memo, std::string stored) {
  if (MemoRecord* record = RecordOf(memo)) record->storedText = std::move(stored);
}

void ForgetStoredText(HWND memo) {
  if (MemoRecord* record = RecordOf(memo)) record->storedText.reset();
}

HWND MainWindowOfMemo(HWND memo) { return GetWindow(memo, GW_OWNER); }

std::string MemoText(HWND memo) {
  // The length first (it may be more than the text, never less): a buffer of the longest text
  // at every call costs more than the text itself.
  constexpr int kBuffer = 65535;  // the longest text and its NUL
  const int length = GetWindowTextLengthA(memo);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(std::min(length + 1, kBuffer)), '\0');
  const int got = GetWindowTextA(memo, text.data(), static_cast<int>(text.size()));
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

}  // namespace pinlark
