// Memos worked with the real mouse and keyboard: dragging, and their context menu.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "driver.h"

namespace pinlark::e2e {
namespace {

constexpr char kOneMemo[] = "MemoPos0=600 300 150 40\r\nMemo0=drag me\r\n";

HWND OnlyMemo(const PinlarkProcess& pinlark) {
  const std::vector<HWND> memos = Memos(pinlark);
  return memos.size() == 1 ? memos[0] : nullptr;
}

TEST(MemoDrag, MovesTheMemoAndSetsMove) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nMove=0\r\n") + kOneMemo));
  HWND memo = OnlyMemo(pinlark);
  ASSERT_NE(memo, nullptr);
  const POINT from = CenterOf(memo);
  Drag(from, {from.x - 200, from.y + 100});
  ASSERT_TRUE(WaitUntil([&] { return RectOf(memo).left == 400; }, kWaitMs, "the memo at its new place"));
  EXPECT_EQ(RectOf(memo).top, 400);
  EXPECT_EQ(pinlark.Close(), 0u);
  EXPECT_EQ(pinlark.Ini().GetString("Pinlark", "MemoPos0", ""), "400 400 150 40");
  EXPECT_EQ(pinlark.Ini().GetInt("Pinlark", "Move", -1), 1);
}

TEST(MemoDrag, WithAutoArrangeTheMemoSpringsBackIntoItsColumn) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\nAutoArrange=1\r\n") + kOneMemo));
  HWND memo = OnlyMemo(pinlark);
  ASSERT_NE(memo, nullptr);
  const POINT from = CenterOf(memo);
  Drag(from, {from.x - 200, from.y + 100});
  ASSERT_TRUE(WaitUntil([&] { return RectOf(memo).right == 1014; }, kWaitMs, "the memo back at the right edge"));
  EXPECT_EQ(RectOf(memo).top, 10);
  EXPECT_EQ(pinlark.Close(), 0u);
  EXPECT_EQ(pinlark.Ini().GetInt("Pinlark", "Move", -1), 0);
}

TEST(MemoMenu, ARightClickOpensItAndAlwaysOnTopAndDeleteWork) {
  PinlarkProcess pinlark;
  ASSERT_TRUE(pinlark.Start("", std::string("[Pinlark]\r\n") + kOneMemo + "MemoPos1=600 400 150 40\r\nMemo1=second\r\n"));
  std::vector<HWND> memos = Memos(pinlark);
  ASSERT_EQ(memos.size(), 2u);
  HWND first = TextOf(memos[0]) == "drag me" ? memos[0] : memos[1];
  const POINT at = CenterOf(first);
  RightClick(at.x, at.y);
  HWND menu = WaitForPopupMenu(pinlark.Pid());
  ASSERT_NE(menu, nullptr) << "no context menu";
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitForWindowGone(menu));
  // Its items, chosen by their commands (which of them are greyed depends on the clipboard).
  PostCommand(first, kTopMostCommand);  // 常に前面に表示
  EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongA(first, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, kWaitMs,
                        "the memo always on top"));
  PostCommand(first, kDeleteMemoCommand);  // メモ削除: into the trash, saved at once
  // Hidden first, then saved: the file is waited for as well.
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(first) && pinlark.Ini().Find("Pinlark", "Trash0"); }, kWaitMs,
                        "the deleted memo hidden and saved"));
  const IniDocument saved = pinlark.Ini();
  EXPECT_EQ(saved.GetString("Pinlark", "Trash0", ""), "drag me");
  EXPECT_EQ(saved.GetString("Pinlark", "TrashTopMost0", ""), "1");
  EXPECT_EQ(saved.GetString("Pinlark", "Memo0", ""), "second");
  EXPECT_FALSE(saved.Find("Pinlark", "Memo1"));
  EXPECT_EQ(pinlark.Close(), 0u);
}

}  // namespace
}  // namespace pinlark::e2e
