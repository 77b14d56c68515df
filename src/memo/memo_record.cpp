#include "memo/memo_record.h"

#include <vector>

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

HWND MainWindowOfMemo(HWND memo) { return GetWindow(memo, GW_OWNER); }

std::string MemoText(HWND memo) {
  std::vector<char> buffer(65535);
  const int length = GetWindowTextA(memo, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace pinlark
