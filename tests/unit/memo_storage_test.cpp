#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/ini_document.h"
#include "memo/memo_keys.h"
#include "memo/text_escape.h"

namespace pinlark {
namespace {

constexpr char kSection[] = "Pinlark";
const std::string kHyo = "\x95\x5C";  // 表 in Shift-JIS: its trail byte is a backslash
const std::string kSo = "\x83\x5C";   // ソ, likewise

std::string Repeat(const std::string& unit, std::size_t times) {
  std::string s;
  for (std::size_t i = 0; i < times; ++i) s += unit;
  return s;
}

// The text as it comes back after a save to bytes and a load from them.
std::string ThroughFile(const std::string& text) {
  IniDocument doc;
  EXPECT_TRUE(doc.Set(kSection, "Memo0", EscapeMemoText(text)));
  const IniDocument again = IniDocument::Parse(doc.Serialize());
  return UnescapeMemoText(again.Find(kSection, "Memo0").value_or("<missing>"));
}

TEST(TextEscape, StoredFormsOfSpecialBytes) {
  struct Case {
    std::string text;
    std::string stored;
  };
  const Case cases[] = {
      {"a\\b", "a\\\\b"},
      {kHyo, kHyo},  // undoubled
      {"x" + kSo + "y", "x" + kSo + "y"},
      {"first line\r\nsecond\tline", "first line\\r\\nsecond\\tline"},
      {"", ""},
      // What the reader would trim or strip goes inside one pair of quotes.
      {"  x  ", "\"  x  \""},
      {"\"quoted\"", "\"\"quoted\"\""},
      {"'", "\"'\""},
      {" ", "\" \""},
      {"end\"", "\"end\"\""},
      {"'start", "\"'start\""},
      {"in \"the\" middle", "in \"the\" middle"},
      // Escaped blanks are not blanks any more.
      {"\tx\r\n", "\\tx\\r\\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EscapeMemoText(c.text), c.stored) << c.text;
    EXPECT_EQ(ThroughFile(c.text), c.text) << c.text;
  }
}

TEST(TextEscape, ValuesOfEarlierVersionsReadAsBefore) {
  EXPECT_EQ(UnescapeMemoText("a\\\\b"), "a\\b");
  EXPECT_EQ(UnescapeMemoText("1\\r\\n2\\t3"), "1\r\n2\t3");
  EXPECT_EQ(UnescapeMemoText(kHyo + "r"), kHyo + "r");  // not a CR: the backslash is a trail byte
  EXPECT_EQ(UnescapeMemoText(kHyo + "\\\\"), kHyo + "\\");
  // The writer never produces these; the backslash stays.
  EXPECT_EQ(UnescapeMemoText("a\\qb"), "a\\qb");
  EXPECT_EQ(UnescapeMemoText("end\\"), "end\\");
  EXPECT_EQ(UnescapeMemoText("\\"), "\\");
  EXPECT_EQ(UnescapeMemoText("\\\\\\"), "\\\\");
  // A lead byte at the very end stands alone.
  EXPECT_EQ(UnescapeMemoText("ab\x95"), "ab\x95");
  // A memo text ends at NUL, both ways.
  EXPECT_EQ(UnescapeMemoText(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(EscapeMemoText(std::string("a\\\0\\", 4)), "a\\\\");
}

TEST(TextEscape, OddBytesSurviveAndNeverBreakTheLine) {
  const std::string texts[] = {
      "\x95\r\n",           // a lead byte before a line break
      "\x95\n\x95\r",       // ... repeated
      "x\x95",              // a lead byte at the end
      "\x95\\r",            // 表 followed by r
      "\\\x95\r",           // a backslash before a lone lead byte
      "\x95\t",             // a tab as a second byte
      "\x81 ",              // a blank as a second byte at the end
      "\x1a\v\f",           // what some readers trim
  };
  for (const std::string& t : texts) {
    const std::string stored = EscapeMemoText(t);
    EXPECT_EQ(stored.find_first_of("\r\n"), std::string::npos) << t;
    EXPECT_EQ(ThroughFile(t), t) << t;
  }
}

TEST(TextEscape, SpecialBytesAtEveryPlaceInALongText) {
  struct Case {
    std::string text;
    std::string stored;
  };
  const Case cases[] = {
      {"\\", "\\\\"},        {"\r\n", "\\r\\n"}, {"\t", "\\t"},       {kHyo, kHyo},
      {kSo + "\\", kSo + "\\\\"}, {"\x95\r", "\\\x95\\r"}, {"\xB1", "\xB1"}, {"\x01\x7F", "\x01\x7F"},
  };
  // Every offset from the start of a run of plain bytes, and every distance from its end.
  for (const Case& c : cases) {
    for (std::size_t before = 0; before < 18; ++before) {
      const std::string head(before, 'a');
      const std::string tail(17 - before, 'b');
      EXPECT_EQ(EscapeMemoText(head + c.text + tail), head + c.stored + tail) << c.stored << ' ' << before;
    }
  }
  const std::string end = std::string(13, 'a') + "\x95";  // a lead byte as the last byte
  EXPECT_EQ(EscapeMemoText(end), end);
}

// Another code page's lead bytes are honoured, even ones that are ASCII elsewhere.
bool OtherLeadBytes(unsigned char byte) { return byte == 0xB1 || byte == 'q'; }

TEST(TextEscape, FollowsTheLeadBytesItIsGiven) {
  for (std::size_t before = 0; before < 18; ++before) {
    const std::string head(before, 'a');
    const std::string tail(17 - before, 'b');
    // Pairs stay as they are; 0x95 starts none here, so its backslash is doubled.
    for (const std::string pair : {"\xB1\\", "q\\"}) {
      EXPECT_EQ(EscapeMemoText(head + pair + tail, OtherLeadBytes), head + pair + tail) << before;
    }
    EXPECT_EQ(EscapeMemoText(head + "\x95\\" + tail, OtherLeadBytes), head + "\x95\\\\" + tail) << before;
  }
  const std::string text = "q\r\nq\\\xB1\r\n" + kHyo;
  EXPECT_EQ(UnescapeMemoText(EscapeMemoText(text, OtherLeadBytes), OtherLeadBytes), text);
}

TEST(TextEscape, LongestTextsSurviveAndLongerValuesAreCut) {
  const std::string lineBreaks = Repeat("\r\n", kMemoTextMax / 2);
  EXPECT_EQ(EscapeMemoText(lineBreaks).size(), 2 * kMemoTextMax);
  EXPECT_EQ(ThroughFile(lineBreaks), lineBreaks);
  const std::string backslashes(kMemoTextMax, '\\');
  EXPECT_EQ(EscapeMemoText(backslashes).size(), 2 * kMemoTextMax);
  EXPECT_EQ(ThroughFile(backslashes), backslashes);
  const std::string blanks(kMemoTextMax, ' ');
  EXPECT_EQ(ThroughFile(blanks), blanks);

  // A stored value longer than a memo holds: cut without splitting 表.
  const std::string overlong = "a" + Repeat(kHyo, kMemoTextMax / 2);
  const std::string read = UnescapeMemoText(overlong);
  EXPECT_EQ(read.size(), kMemoTextMax - 1);
  EXPECT_EQ(read, overlong.substr(0, kMemoTextMax - 1));
  EXPECT_EQ(UnescapeMemoText(std::string(3 * kMemoTextMax, 'x')).size(), kMemoTextMax);
  EXPECT_EQ(EscapeMemoText(std::string(kMemoTextMax + 10, 'x')).size(), kMemoTextMax);
}

void ExpectSameMemo(const StoredMemo& read, const StoredMemo& written, int where) {
  SCOPED_TRACE(where);
  EXPECT_EQ(read.window.left, written.window.left);
  EXPECT_EQ(read.window.top, written.window.top);
  EXPECT_EQ(read.window.right, written.window.right);
  EXPECT_EQ(read.window.bottom, written.window.bottom);
  EXPECT_EQ(read.color, written.color);
  EXPECT_EQ(read.topMost, written.topMost);
  EXPECT_EQ(read.noArrange, written.noArrange);
  EXPECT_EQ(read.noMinClm, written.noMinClm);
  EXPECT_EQ(read.alarm, written.alarm);
  EXPECT_EQ(read.alarmTime, written.alarmTime);
  // Not EXPECT_EQ: a failure would print two 64 KB texts.
  EXPECT_TRUE(read.text == written.text) << read.text.size() << " bytes read of " << written.text.size();
}

StoredMemo SampleMemo() {
  StoredMemo m;
  m.window = Rect{884, 10, 884 + 130, 10 + 36};
  m.color = 0x0080FFFF;
  m.text = "first line\r\nsecond\tline";
  return m;
}

TEST(MemoKeys, WritesTheEightKeysInOrder) {
  IniDocument doc = IniDocument::Parse("[Pinlark]\r\nMinColumn=40\r\n");
  const StoredMemo memo = SampleMemo();
  WriteMemoSlot(&doc, kMemoPrefix, 0, &memo);
  EXPECT_EQ(doc.Serialize(),
            "[Pinlark]\r\n"
            "MinColumn=40\r\n"
            "MemoPos0=884 10 130 36\r\n"
            "MemoColor0=80ffff\r\n"
            "MemoTopMost0=0\r\n"
            "MemoNoArrange0=0\r\n"
            "MemoNoMinClm0=0\r\n"
            "MemoAlarm0=0\r\n"
            "MemoAlarmTime0=0\r\n"
            "Memo0=first line\\r\\nsecond\\tline\r\n");

  // Writing the slot again changes the lines in place; no memo removes exactly its keys.
  WriteMemoSlot(&doc, kMemoPrefix, 0, &memo);
  WriteMemoSlot(&doc, kTrashPrefix, 0, &memo);
  WriteMemoSlot(&doc, kMemoPrefix, 0, nullptr);
  WriteMemoSlot(&doc, kMemoPrefix, 1, nullptr);
  const std::string left = doc.Serialize();
  EXPECT_EQ(left.find("Memo"), std::string::npos) << left;
  EXPECT_NE(left.find("TrashPos0=884 10 130 36\r\n"), std::string::npos);
  EXPECT_NE(left.find("Trash0=first line"), std::string::npos);
  EXPECT_NE(left.find("MinColumn=40"), std::string::npos);
}

TEST(MemoKeys, FieldsRoundTrip) {
  StoredMemo memo = SampleMemo();
  memo.window = Rect{-300, -20, -100, 5};
  memo.color = -2;
  memo.topMost = 1;
  memo.noArrange = 1;
  memo.noMinClm = 1;
  memo.alarm = 1;
  memo.alarmTime = (2026u - 1997u) * 100000000u + 12u * 1000000u + 8u * 10000u + 15u * 100u;  // 2026-12-08 15:00
  ASSERT_EQ(memo.alarmTime, 2912081500u);
  IniDocument doc;
  WriteMemoSlot(&doc, kTrashPrefix, 63, &memo);
  const IniDocument read = IniDocument::Parse(doc.Serialize());
  EXPECT_EQ(read.Find(kSection, "TrashColor63"), "fffffffe");
  EXPECT_EQ(read.Find(kSection, "TrashAlarmTime63"), "2912081500");
  EXPECT_EQ(read.Find(kSection, "TrashPos63"), "-300 -20 200 25");

  const auto loaded = ReadMemoSlot(read, kTrashPrefix, 63, 0x123456);
  ASSERT_TRUE(loaded);
  EXPECT_TRUE(loaded->hasPosition);
  ExpectSameMemo(loaded->memo, memo, 63);
  EXPECT_FALSE(ReadMemoSlot(read, kMemoPrefix, 63, 0));  // the other list is separate
}

TEST(MemoKeys, HandEditedValues) {
  const IniDocument doc = IniDocument::Parse(
      "[Pinlark]\r\n"
      "Memo0=overflowed alarm\r\nMemoAlarmTime0=-1382885796\r\nMemoPos0=1 2 3\r\nMemoColor0=xyz\r\n"
      "Memo1=only text\r\n"
      "Memo2=odd numbers\r\nMemoPos2=\t-5  +7 100 50 trailing\r\nMemoColor2=0xFF\r\nMemoAlarm2=abc\r\n"
      "MemoTopMost2=2\r\n"
      "Memo3=huge\r\nMemoPos3=2147483000 99999999999 5000 -99999999999\r\n"
      "Memo4=\r\nMemoPos4=1,2,3,4\r\n");
  const auto m0 = ReadMemoSlot(doc, kMemoPrefix, 0, 0x123456);
  ASSERT_TRUE(m0);
  EXPECT_EQ(m0->memo.alarmTime, 2912081500u);
  EXPECT_FALSE(m0->hasPosition);
  EXPECT_EQ(m0->memo.color, 0x123456);

  const auto m1 = ReadMemoSlot(doc, kMemoPrefix, 1, 0x123456);
  ASSERT_TRUE(m1);
  EXPECT_FALSE(m1->hasPosition);
  EXPECT_EQ(m1->memo.color, 0x0080FFFF);  // a missing colour is the stored default, not ours
  EXPECT_EQ(m1->memo.topMost, 0);
  EXPECT_EQ(m1->memo.alarmTime, 0u);

  const auto m2 = ReadMemoSlot(doc, kMemoPrefix, 2, 0);
  ASSERT_TRUE(m2);
  EXPECT_TRUE(m2->hasPosition);
  EXPECT_EQ(m2->memo.window.left, -5);
  EXPECT_EQ(m2->memo.window.top, 7);
  EXPECT_EQ(m2->memo.window.Width(), 100);
  EXPECT_EQ(m2->memo.window.Height(), 50);
  EXPECT_EQ(m2->memo.color, 0xFF);
  EXPECT_EQ(m2->memo.alarm, 0);
  EXPECT_EQ(m2->memo.topMost, 2);

  // Out-of-range numbers are kept within what a rectangle can hold.
  const auto m3 = ReadMemoSlot(doc, kMemoPrefix, 3, 0);
  ASSERT_TRUE(m3);
  EXPECT_TRUE(m3->hasPosition);
  EXPECT_EQ(m3->memo.window.left, 2147483000);
  EXPECT_EQ(m3->memo.window.right, INT32_MAX);
  EXPECT_EQ(m3->memo.window.top, INT32_MAX);
  EXPECT_EQ(m3->memo.window.bottom, INT32_MAX + int64_t{INT32_MIN});

  const auto m4 = ReadMemoSlot(doc, kMemoPrefix, 4, 0);
  ASSERT_TRUE(m4);
  EXPECT_FALSE(m4->hasPosition);
}

TEST(MemoKeys, OnlyAMissingTextKeyEndsAList) {
  const IniDocument doc = IniDocument::Parse(
      "[Pinlark]\r\nMemo0=a\r\nMemo1=\r\nMemo3=d\r\nMemoPos2=1 2 3 4\r\nTrash0=\"\"\r\n");
  const auto m1 = ReadMemoSlot(doc, kMemoPrefix, 1, 0);
  ASSERT_TRUE(m1);
  EXPECT_EQ(m1->memo.text, "");
  EXPECT_TRUE(ReadMemoSlot(doc, kMemoPrefix, 0, 0));
  EXPECT_FALSE(ReadMemoSlot(doc, kMemoPrefix, 2, 0));  // other keys of the slot do not count
  EXPECT_TRUE(ReadMemoSlot(doc, kMemoPrefix, 3, 0));
  const auto t0 = ReadMemoSlot(doc, kTrashPrefix, 0, 0);
  ASSERT_TRUE(t0);
  EXPECT_EQ(t0->memo.text, "");

  // An empty memo is written so that it reads back, and the memo behind it with it.
  IniDocument written;
  StoredMemo empty = SampleMemo();
  empty.text.clear();
  const StoredMemo after = SampleMemo();
  WriteMemoSlot(&written, kMemoPrefix, 0, &empty);
  WriteMemoSlot(&written, kMemoPrefix, 1, &after);
  const IniDocument read = IniDocument::Parse(written.Serialize());
  ASSERT_TRUE(ReadMemoSlot(read, kMemoPrefix, 0, 0));
  const auto behind = ReadMemoSlot(read, kMemoPrefix, 1, 0);
  ASSERT_TRUE(behind);
  EXPECT_EQ(behind->memo.text, after.text);
}

// Texts that have broken memo storage: longest texts, nothing but escapes, second bytes that are
// backslashes, what the reader trims or strips, empty texts between others.
std::vector<std::string> HostileTexts() {
  std::vector<std::string> t = {
      std::string(kMemoTextMax, 'x'),
      Repeat("\r\n", kMemoTextMax / 2),
      std::string(kMemoTextMax, '\\'),
      Repeat(kHyo, kMemoTextMax / 2),
      Repeat(kSo + "\\", kMemoTextMax / 3),
      "",
      "  leading and trailing  ",
      "\"quoted\"",
      "'single'",
      "",
      "\t\ttabs\t",
      " ",
      "'",
      "\"",
      kHyo + "\r\n" + kSo + "\\n",
      "",
      "\x95\r\n\x95",
      std::string(kMemoTextMax - 1, ' ') + "\"",
  };
  // The rest: random bytes but NUL, lengths up to the maximum, with an empty text now and then.
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(1, 255);
  const std::string specials = "\\\r\n\t \"'\x95\x83\x5C";
  while (t.size() < 128) {
    if (t.size() % 11 == 0) {
      t.emplace_back();
      continue;
    }
    const std::size_t length = t.size() % 7 == 0 ? kMemoTextMax : random() % 3000;
    std::string s;
    for (std::size_t i = 0; i < length; ++i) {
      s += random() % 2 ? specials[random() % specials.size()] : static_cast<char>(byte(random));
    }
    t.push_back(s);
  }
  return t;
}

TEST(MemoStorage, HostileSetSurvivesLoadSaveLoadByteForByte) {
  const std::vector<std::string> texts = HostileTexts();
  std::vector<StoredMemo> memos(texts.size());
  const int32_t colors[] = {0, -1, -2, -3, 0x0080FFFF, 0x00FFFFFF};
  for (std::size_t i = 0; i < memos.size(); ++i) {
    StoredMemo& m = memos[i];
    const int n = static_cast<int>(i);
    m.window = Rect{n * 7 - 300, -n, n * 7 - 300 + 10 + n, 40 + n};
    m.color = colors[i % std::size(colors)];
    m.topMost = n % 2;
    m.noArrange = n % 3 == 0;
    m.noMinClm = n % 5 == 0;
    m.alarm = n % 4 == 0;
    m.alarmTime = 4294967295u - static_cast<uint32_t>(n) * 12345677u;
    m.text = texts[i];
  }
  const auto prefixOf = [](std::size_t i) { return i < 64 ? kMemoPrefix : kTrashPrefix; };
  const auto slotOf = [](std::size_t i) { return static_cast<int>(i % 64); };

  IniDocument doc = IniDocument::Parse("[Other]\r\nx=1\r\n[Pinlark]\r\nMinColumn=40\r\n");
  for (std::size_t i = 0; i < memos.size(); ++i) WriteMemoSlot(&doc, prefixOf(i), slotOf(i), &memos[i]);
  const std::string saved = doc.Serialize();

  IniDocument loaded = IniDocument::Parse(saved);
  for (std::size_t i = 0; i < memos.size(); ++i) {
    const auto read = ReadMemoSlot(loaded, prefixOf(i), slotOf(i), 0);
    ASSERT_TRUE(read) << i;
    EXPECT_TRUE(read->hasPosition) << i;
    ExpectSameMemo(read->memo, memos[i], static_cast<int>(i));
    WriteMemoSlot(&loaded, prefixOf(i), slotOf(i), &read->memo);
  }
  EXPECT_FALSE(ReadMemoSlot(loaded, kMemoPrefix, 64, 0));
  EXPECT_TRUE(loaded.Serialize() == saved);
}

}  // namespace
}  // namespace pinlark
