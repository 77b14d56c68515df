// The memo and trash lists, and the packed alarm time.
#include <gtest/gtest.h>

#include "memo/alarm_time.h"
#include "memo/memo_list.h"

namespace pinlark {
namespace {

TEST(MemoList, RemovingASlotMovesTheOthersUpAndClearsTheLast) {
  int a = 0, b = 0, c = 0;
  int* slots[kListCapacity] = {};
  int count = 0;
  ListAppend(slots, count, &a);
  ListAppend(slots, count, &b);
  ListAppend(slots, count, &c);
  ListRemoveAt(slots, count, 0);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(slots[0], &b);
  EXPECT_EQ(slots[1], &c);
  EXPECT_EQ(slots[2], nullptr);
  EXPECT_EQ(ListIndexOf(slots, count, &c), 1);
  EXPECT_EQ(ListIndexOf(slots, count, &a), -1);
}

TEST(MemoList, AFullListRefusesAndAFullTrashDropsItsOldest) {
  int items[kListCapacity + 1] = {};
  int* slots[kListCapacity] = {};
  int count = 0;
  for (int i = 0; i < kListCapacity; ++i) EXPECT_TRUE(ListAppend(slots, count, &items[i]));
  EXPECT_FALSE(ListAppend(slots, count, &items[kListCapacity]));
  EXPECT_EQ(count, kListCapacity);

  int* trash[kListCapacity] = {};
  int trashCount = 0;
  EXPECT_EQ(ListPushFront(trash, trashCount, &items[0]), nullptr);
  EXPECT_EQ(ListPushFront(trash, trashCount, &items[1]), nullptr);
  EXPECT_EQ(trash[0], &items[1]) << "newest first";
  for (int i = 2; i < kListCapacity; ++i) ListPushFront(trash, trashCount, &items[i]);
  EXPECT_EQ(ListPushFront(trash, trashCount, &items[kListCapacity]), &items[0]) << "the oldest drops out";
  EXPECT_EQ(trashCount, kListCapacity);
  EXPECT_EQ(trash[0], &items[kListCapacity]);
  EXPECT_EQ(trash[kListCapacity - 1], &items[1]);
}

TEST(AlarmTime, PacksTheDecimalFieldsUnsigned) {
  EXPECT_EQ(PackAlarmTime({1997, 1, 1, 0, 0}), 1010000u);
  EXPECT_EQ(PackAlarmTime({1999, 12, 31, 23, 59}), 212312359u);
  EXPECT_EQ(PackAlarmTime({2010, 12, 31, 23, 59}), 1312312359u);
  EXPECT_EQ(PackAlarmTime({2026, 12, 8, 15, 0}), 2912081500u) << "past the signed range";
  EXPECT_EQ(PackAlarmTime({2039, 12, 31, 23, 59}), 4212312359u);
  const AlarmFields f = UnpackAlarmTime(2912081500u);
  EXPECT_EQ(f.year, 2026);
  EXPECT_EQ(f.month, 12);
  EXPECT_EQ(f.day, 8);
  EXPECT_EQ(f.hour, 15);
  EXPECT_EQ(f.minute, 0);
  // A value some program stored negative reads back modulo 2^32.
  EXPECT_EQ(UnpackAlarmTime(static_cast<uint32_t>(-1382885796)).year, 2026);
}

}  // namespace
}  // namespace pinlark
