// The memo list and the trash list: 64 slots each, packed from the front, the slots behind the
// count always empty, because several operations walk all 64 and stop at an empty one.
#pragma once

namespace pinlark {

inline constexpr int kListCapacity = 64;

// Appends behind the last entry; false when the list is full.
template <typename Handle>
bool ListAppend(Handle (&slots)[kListCapacity], int& count, Handle item) {
  if (count >= kListCapacity) return false;
  slots[count++] = item;
  return true;
}

// Removes entry `index`; the entries behind it move up one slot.
template <typename Handle>
void ListRemoveAt(Handle (&slots)[kListCapacity], int& count, int index) {
  if (index < 0 || index >= count) return;
  for (int i = index; i + 1 < count; ++i) slots[i] = slots[i + 1];
  slots[--count] = Handle{};
}

// Puts `item` in slot 0 and moves every entry down one slot. When the list is full the entry in
// the last slot drops out first and is returned (for the caller to destroy); otherwise null.
template <typename Handle>
Handle ListPushFront(Handle (&slots)[kListCapacity], int& count, Handle item) {
  Handle evicted{};
  if (count >= kListCapacity) {
    evicted = slots[kListCapacity - 1];
    count = kListCapacity - 1;
  }
  for (int i = count; i > 0; --i) slots[i] = slots[i - 1];
  slots[0] = item;
  ++count;
  return evicted;
}

// The slot of `item`, or -1.
template <typename Handle>
int ListIndexOf(const Handle (&slots)[kListCapacity], int count, Handle item) {
  for (int i = 0; i < count; ++i) {
    if (slots[i] == item) return i;
  }
  return -1;
}

}  // namespace pinlark
