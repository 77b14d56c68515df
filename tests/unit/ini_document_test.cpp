#include "app/ini_document.h"

#include <gtest/gtest.h>

#include "app/changed_copy_name.h"
#include "app/wide_settings_text.h"

#include <memory>
#include <string>
#include <vector>

namespace pinlark {
namespace {

TEST(IniDocumentParse, SerializeGivesBackTheBytesItWasGiven) {
  const char* inputs[] = {
      "",
      "\r\n",
      "\n\n\n",
      "no line end",
      "[A]\r\nk=v",
      "[A]\r\nk=v\r\n",
      "[A]\nk=v\r\nj=w\n\n; comment\r\n",
      "\xEF\xBB\xBF[A]\r\nk=v\r\n",
      "\xEF\xBB\xBF",
      "a\rb=c\r\n\r",  // a lone CR is part of the line, not a line end
      "  [ A ] tail\r\n\t k \t=\t v \t\r\n",
  };
  for (const char* input : inputs) {
    EXPECT_EQ(IniDocument::Parse(input).Serialize(), input) << input;
  }
}

// The pieces a document hands out, and where they lie.
std::vector<std::string_view> Pieces(const IniDocument& doc) {
  std::vector<std::string_view> pieces;
  EXPECT_TRUE(doc.Serialize([&](std::string_view piece) {
    pieces.push_back(piece);
    return true;
  }));
  return pieces;
}

std::string Joined(const std::vector<std::string_view>& pieces) {
  std::string all;
  for (std::string_view piece : pieces) all += piece;
  return all;
}

TEST(IniDocumentParse, SharesTheBytesAndHandsThemOutWithoutCopies) {
  auto bytes = std::make_shared<const std::string>("\xEF\xBB\xBF[S]\r\nA=1\r\nB=2\nC=3\r\n; end");
  const std::string* const original = bytes.get();
  IniDocument doc = IniDocument::Parse(bytes);
  bytes.reset();  // the document keeps them

  // Unchanged, and set to the values it already has, the file is one piece: its own bytes.
  EXPECT_TRUE(doc.Set("S", "A", "1"));
  EXPECT_TRUE(doc.Set("s", "c", "3"));
  std::vector<std::string_view> pieces = Pieces(doc);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].data(), original->data());
  EXPECT_EQ(pieces[0], *original);

  // A changed line comes on its own; the lines around it still come from the bytes.
  EXPECT_TRUE(doc.Set("S", "B", "22"));
  pieces = Pieces(doc);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0], "\xEF\xBB\xBF[S]\r\nA=1\r\n");
  EXPECT_EQ(pieces[1], "B=22");
  EXPECT_EQ(pieces[2], "\nC=3\r\n; end");
  EXPECT_EQ(Joined(pieces), doc.Serialize());
  EXPECT_EQ(doc.Serialize(), "\xEF\xBB\xBF[S]\r\nA=1\r\nB=22\nC=3\r\n; end");

  // Copies share the bytes, and a change to one stays in that one.
  IniDocument copy = doc;
  EXPECT_TRUE(copy.Set("S", "D", "4"));
  copy.Remove("S", "A");
  EXPECT_EQ(copy.Serialize(), "\xEF\xBB\xBF[S]\r\nB=22\nC=3\r\nD=4\r\n; end");
  EXPECT_EQ(doc.Serialize(), "\xEF\xBB\xBF[S]\r\nA=1\r\nB=22\nC=3\r\n; end");
  EXPECT_EQ(IniDocument::Parse(std::shared_ptr<const std::string>()).Serialize(), "");
}

TEST(IniDocumentParse, SerializeStopsAtTheFirstRefusedPiece) {
  IniDocument doc = IniDocument::Parse("[S]\r\nA=1\r\nB=2\r\n");
  ASSERT_TRUE(doc.Set("S", "A", "9"));
  int calls = 0;
  EXPECT_FALSE(doc.Serialize([&](std::string_view) { return ++calls < 2; }));
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(IniDocument().Serialize([](std::string_view) { return false; }));  // nothing to put
}

TEST(IniDocumentRead, FollowsTheProfileRulesForSectionsAndKeys) {
  IniDocument doc = IniDocument::Parse(
      "Early=before any section\r\n"
      "[ PinLark ] text after the bracket\r\n"
      "MinColumn=40\r\n"
      "\t Spaced \t=\t  a b  \t\r\n"
      ";Commented=1\r\n"
      "  ;Indented=1\r\n"
      "NoEquals\r\n"
      "Dup=first\r\n"
      "Dup=second\r\n"
      "Empty=\r\n"
      "[Unclosed\r\n"
      "AfterUnclosed=still in PinLark\r\n"
      "[Other]\r\n"
      "MinColumn=99\r\n"
      "[pinlark]\r\n"
      "OnlyInSecond=1\r\n");
  EXPECT_EQ(doc.Find("Pinlark", "mincolumn"), "40");
  EXPECT_EQ(doc.Find("  PINLARK\t", " MINCOLUMN "), "40");
  EXPECT_EQ(doc.Find("Other", "MinColumn"), "99");
  EXPECT_EQ(doc.Find("Pinlark", "spaced"), "a b");
  EXPECT_EQ(doc.Find("Pinlark", "Dup"), "first");
  EXPECT_EQ(doc.Find("Pinlark", "Empty"), "");
  EXPECT_EQ(doc.Find("Pinlark", "AfterUnclosed"), "still in PinLark");
  EXPECT_EQ(doc.GetString("Pinlark", "Empty", "def"), "");
  EXPECT_EQ(doc.GetString("Pinlark", "Missing", "def"), "def");

  // Keys that no key line can carry.
  EXPECT_EQ(doc.Find("Pinlark", "Commented"), std::nullopt);
  EXPECT_EQ(doc.Find("Pinlark", ";Commented"), std::nullopt);
  EXPECT_EQ(doc.Find("Pinlark", "NoEquals"), std::nullopt);
  EXPECT_EQ(doc.Find("Pinlark", "Spaced=\t  a b"), std::nullopt);
  EXPECT_EQ(doc.Find("Pinlark", "[Unclosed"), std::nullopt);
  EXPECT_EQ(doc.Find("Pinlark", ""), std::nullopt);
  // Nothing outside a section, and only the first of two same-named sections counts.
  EXPECT_EQ(doc.Find("", "Early"), std::nullopt);
  EXPECT_EQ(doc.Find("Pinlark", "OnlyInSecond"), std::nullopt);
  EXPECT_EQ(doc.Find("Unclosed", "AfterUnclosed"), std::nullopt);
}

TEST(IniDocumentRead, StripsOnePairOfMatchingQuotes) {
  struct Case {
    const char* line;
    const char* value;
  } cases[] = {
      {"k=\"a b\"", "a b"},       {"k='a b'", "a b"},   {"k=  \"padded\"  ", "padded"},
      {"k=\"\"", ""},             {"k=\"", "\""},       {"k='", "'"},
      {"k=\"a'", "\"a'"},         {"k=\"\"x\"\"", "\"x\""}, {"k=a\"b\"", "a\"b\""},
      {"k=\" in \"", " in "},
  };
  for (const Case& c : cases) {
    IniDocument doc = IniDocument::Parse(std::string("[S]\r\n") + c.line + "\r\n");
    EXPECT_EQ(doc.Find("S", "k"), c.value) << c.line;
  }
}

TEST(IniDocumentRead, IntegersFollowTheProfileRules) {
  struct Case {
    const char* value;
    int32_t expected;
  } cases[] = {
      {"", 7},  // empty: the default
      {"   ", 7},
      {"\"\"", 7},
      {"42", 42},
      {"  -42  ", -42},
      {"+5", 5},
      {"12abc", 12},
      {"1 2", 1},
      {"abc", 0},
      {"-", 0},
      {"0x1F", 31},
      {"0X1f", 31},
      {"-0x10", -16},
      {"0x", 0},
      {"0xg", 0},
      {"\"15\"", 15},
      {"4294967295", -1},
      {"4294967296", 0},
      {"2912081500", static_cast<int32_t>(2912081500u)},
      {"0x80000000", INT32_MIN},
      {"-2147483648", INT32_MIN},
      {"0xFFFFFFFF", -1},
      {"99999999999", static_cast<int32_t>(static_cast<uint32_t>(99999999999ull))},
  };
  for (const Case& c : cases) {
    IniDocument doc = IniDocument::Parse(std::string("[S]\r\nk=") + c.value + "\r\n");
    EXPECT_EQ(doc.GetInt("S", "K", 7), c.expected) << '"' << c.value << '"';
  }
  EXPECT_EQ(IniDocument::Parse("[S]\r\n").GetInt("S", "k", -3), -3);
}

TEST(IniDocumentSet, ChangesOnlyTheValueOfAnExistingKey) {
  IniDocument doc = IniDocument::Parse(
      "; header comment\n"
      "[Other]\r\n"
      "MinColumn=1\r\n"
      "[pinlark]\n"
      "  minCOLUMN =  40\n"
      "Unknown=x\n"
      "\n"
      "Last=1");
  EXPECT_TRUE(doc.Set("Pinlark", "MinColumn", "80"));
  EXPECT_TRUE(doc.Set("PINLARK", "last", "2"));
  EXPECT_EQ(doc.Serialize(),
            "; header comment\n"
            "[Other]\r\n"
            "MinColumn=1\r\n"
            "[pinlark]\n"
            "  minCOLUMN =  80\n"
            "Unknown=x\n"
            "\n"
            "Last=2");
}

TEST(IniDocumentSet, AddsANewKeyAfterTheLastKeyOfTheFirstMatchingSection) {
  IniDocument doc = IniDocument::Parse(
      "[Pinlark]\n"
      "A=1\n"
      "NoEquals\n"
      "; a comment that closes the section\n"
      "\n"
      "[Empty]\n"
      "\n"
      "[Pinlark]\n"
      "B=2\n");
  EXPECT_TRUE(doc.Set("pinlark", "B", "3"));  // the key in the second section does not count
  EXPECT_TRUE(doc.Set("Pinlark", "C", "4"));
  EXPECT_TRUE(doc.Set("Empty", "D", "5"));
  EXPECT_EQ(doc.Serialize(),
            "[Pinlark]\n"
            "A=1\n"
            "B=3\r\n"
            "C=4\r\n"
            "NoEquals\n"
            "; a comment that closes the section\n"
            "\n"
            "[Empty]\n"
            "D=5\r\n"
            "\n"
            "[Pinlark]\n"
            "B=2\n");
}

TEST(IniDocumentSet, AppendsAMissingSectionAtTheEnd) {
  IniDocument empty;
  EXPECT_TRUE(empty.Set(" Pinlark ", " MinColumn ", "40"));
  EXPECT_EQ(empty.Serialize(), "[Pinlark]\r\nMinColumn=40\r\n");

  IniDocument unterminated = IniDocument::Parse("\xEF\xBB\xBF[Other]\nk=v");
  EXPECT_TRUE(unterminated.Set("Pinlark", "MinColumn", "40"));
  EXPECT_TRUE(unterminated.Set("Other", "j", "w"));
  EXPECT_EQ(unterminated.Serialize(),
            "\xEF\xBB\xBF[Other]\nk=v\r\nj=w\r\n[Pinlark]\r\nMinColumn=40\r\n");

  IniDocument header_only = IniDocument::Parse("[Pinlark]");
  EXPECT_TRUE(header_only.Set("Pinlark", "k", "v"));
  EXPECT_EQ(header_only.Serialize(), "[Pinlark]\r\nk=v\r\n");
}

TEST(IniDocumentSet, PlacesNewKeysRightAfterRemovesAndInCopies) {
  IniDocument doc = IniDocument::Parse("[S]\r\nA=1\r\nB=2\r\n; tail\r\n[T]\r\nx=1\r\n");
  doc.Remove("S", "B");
  EXPECT_TRUE(doc.Set("S", "C", "3"));
  EXPECT_EQ(doc.Serialize(), "[S]\r\nA=1\r\nC=3\r\n; tail\r\n[T]\r\nx=1\r\n");

  IniDocument copy = doc;
  copy.Remove("S", "A");
  copy.Remove("S", "C");
  EXPECT_TRUE(copy.Set("S", "D", "4"));
  EXPECT_TRUE(copy.Set("T", "x", "2"));
  EXPECT_EQ(copy.Serialize(), "[S]\r\nD=4\r\n; tail\r\n[T]\r\nx=2\r\n");
  EXPECT_EQ(copy.Find("S", "A"), std::nullopt);
  EXPECT_EQ(doc.Serialize(), "[S]\r\nA=1\r\nC=3\r\n; tail\r\n[T]\r\nx=1\r\n");

  doc = copy;
  EXPECT_TRUE(doc.Set("s", "d", "5"));
  EXPECT_EQ(doc.Serialize(), "[S]\r\nD=5\r\n; tail\r\n[T]\r\nx=2\r\n");
  EXPECT_EQ(copy.Find("S", "D"), "4");
}

TEST(IniDocumentSet, RefusesWhatCannotBeWrittenAsOneKeyLine) {
  const std::string before = "[S]\r\nk=v\r\n";
  struct Case {
    std::string section, key, value;
  } cases[] = {
      {"S", "", "v"},          {"S", " \t", "v"},         {"S", "a=b", "v"},
      {"S", "[k", "v"},        {"S", ";k", "v"},          {"S", "k\r", "v"},
      {"S", "k\nx", "v"},      {"S", std::string("k\0x", 3), "v"},
      {"S", "k", "a\rb"},      {"S", "k", "a\nb"},        {"S", "k", std::string("a\0b", 3)},
      {"S]", "k", "v"},        {"S\n", "k", "v"},
  };
  for (const Case& c : cases) {
    IniDocument doc = IniDocument::Parse(before);
    EXPECT_FALSE(doc.Set(c.section, c.key, c.value)) << c.section << '/' << c.key << '/' << c.value;
    EXPECT_EQ(doc.Serialize(), before);
  }
}

TEST(IniDocumentRemove, RemovesEveryLineOfTheKeyInMatchingSectionsOnly) {
  IniDocument doc = IniDocument::Parse(
      "[Pinlark]\r\n"
      "Memo0=a\r\n"
      ";Memo0=commented\r\n"
      "memo0 = b\n"
      "Memo01=c\r\n"
      "[Other]\r\n"
      "Memo0=kept\r\n"
      "[PINLARK]\r\n"
      "Memo0=d");
  doc.Remove("pinlark", "MEMO0");
  doc.Remove("Pinlark", "Missing");
  EXPECT_EQ(doc.Serialize(),
            "[Pinlark]\r\n"
            ";Memo0=commented\r\n"
            "Memo01=c\r\n"
            "[Other]\r\n"
            "Memo0=kept\r\n"
            "[PINLARK]\r\n");
  EXPECT_EQ(doc.Find("Other", "Memo0"), "kept");
}

TEST(IniDocumentValues, AreOpaqueShiftJisBytesOfAnyLength) {
  // 表 and ソ end in 0x5C ('\'); a value may also hold '=', ';' and '['.
  const std::string sjis = "\x95\x5C\x83\x5C=;[x]\x82\xA0\x95\x5C";
  std::string long_value;
  while (long_value.size() < 131070) long_value += "\x83\x5C\\n";
  long_value.resize(131070);

  IniDocument doc = IniDocument::Parse("[Pinlark]\r\nMemo0=old\r\n; keep\r\n[Other]\r\nx=1\r\n");
  ASSERT_TRUE(doc.Set("Pinlark", "Memo0", long_value));
  ASSERT_TRUE(doc.Set("Pinlark", "\x95\x5C", sjis));
  IniDocument reread = IniDocument::Parse(doc.Serialize());
  EXPECT_EQ(reread.Find("Pinlark", "Memo0"), long_value);
  EXPECT_EQ(reread.Find("Pinlark", "\x95\x5C"), sjis);

  ASSERT_TRUE(reread.Set("Pinlark", "Memo0", "short"));
  EXPECT_EQ(reread.Serialize(),
            "[Pinlark]\r\nMemo0=short\r\n\x95\x5C=" + sjis + "\r\n; keep\r\n[Other]\r\nx=1\r\n");
}

// ---- Files saved as UTF-16 by an editor, and the names of kept copies

std::string Utf16(std::u16string_view units, TextEncoding encoding) {
  std::string bytes;
  for (char16_t unit : units) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += encoding == TextEncoding::kUtf16Le ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

// A code page of ASCII alone: everything else reads as '?', as the system's does for
// characters it lacks.
const CodePageConversion kAsciiPage{
    [](std::u16string_view units, std::string* out) {
      for (char16_t unit : units) out->push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    },
    [](std::string_view text, std::u16string* out) {
      for (char c : text) out->push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }};

TEST(WideSettingsText, ReadsLinesInTheCodePageAndWritesBackUnchangedLinesAsTheirOwnBytes) {
  for (TextEncoding encoding : {TextEncoding::kUtf16Le, TextEncoding::kUtf16Be}) {
    SCOPED_TRACE(encoding == TextEncoding::kUtf16Le ? "LE" : "BE");
    // A character beyond the code page (and beyond 16 bits) in a comment.
    const std::string file = Utf16(u"\uFEFF; \U0001F600 \u8868\r\n[Pinlark]\nMemo0=x\r\nA=1", encoding);
    ASSERT_EQ(EncodingOf(file), encoding);
    WideSettingsText wide(std::make_shared<const std::string>(file), encoding, kAsciiPage);
    EXPECT_EQ(*wide.Ansi(), "; ?? ?\r\n[Pinlark]\nMemo0=x\r\nA=1");
    IniDocument doc = IniDocument::Parse(wide.Ansi());
    const auto bytes_of = [&] {
      std::string out(wide.Bom());
      doc.Serialize([&](std::string_view piece) { return wide.Put(piece, [&](std::string_view b) {
        out += b;
        return true;
      }); });
      return out;
    };
    EXPECT_EQ(bytes_of(), file);
    ASSERT_TRUE(doc.Set("Pinlark", "Memo0", "y"));
    ASSERT_TRUE(doc.Set("Pinlark", "B", "2"));
    EXPECT_EQ(bytes_of(), Utf16(u"\uFEFF; \U0001F600 \u8868\r\n[Pinlark]\nMemo0=y\r\nA=1\r\nB=2\r\n", encoding));
    // Half a character at the end is dropped: what follows it would come out of step.
    WideSettingsText odd(std::make_shared<const std::string>(file + "!"), encoding, kAsciiPage);
    ASSERT_EQ(*odd.Ansi(), *wide.Ansi());
    std::string out(odd.Bom());
    ASSERT_TRUE(odd.Put(*odd.Ansi(), [&](std::string_view b) { return out += b, true; }));
    EXPECT_EQ(out, file);
  }
  EXPECT_EQ(EncodingOf("\xEF\xBB\xBF[a]"), TextEncoding::kAnsi);  // kept by the document itself
  EXPECT_EQ(EncodingOf("\xFF"), TextEncoding::kAnsi);
}

TEST(ChangedCopyName, SaysWhatAndWhenAndNeverRepeatsAName) {
  const LocalSecond when{2026, 12, 9, 3, 5, 7};
  EXPECT_EQ(ChangedCopyName("C:\\a\\pinlark.ini", when, 1), "C:\\a\\pinlark.ini.changed-20261209-030507");
  EXPECT_EQ(ChangedCopyName("C:\\a\\pinlark.ini", when, 3), "C:\\a\\pinlark.ini.changed-20261209-030507-3");
}

}  // namespace
}  // namespace pinlark
