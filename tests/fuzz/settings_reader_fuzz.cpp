// Feeds arbitrary bytes to the settings-file reader and to the memo text escaping. Besides
// crashes and sanitizer reports it stops at any broken promise: a file reads back as the bytes
// it was, and a memo text without NUL survives escaping, a save and a load.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "app/ini_document.h"
#include "app/wide_settings_text.h"
#include "memo/memo_keys.h"
#include "memo/text_escape.h"

namespace {

using pinlark::IniDocument;

constexpr char kSection[] = "Pinlark";

#define FUZZ_CHECK(cond)                                                   \
  do {                                                                     \
    if (!(cond)) {                                                         \
      std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                        \
    }                                                                      \
  } while (0)

// What a memo can hold: bytes up to the first NUL, at most the maximum length.
std::string AsMemoText(std::string_view bytes) {
  return pinlark::CutAtCharBoundary(bytes.substr(0, bytes.find('\0')), pinlark::kMemoTextMax);
}

void ExerciseDocument(std::string_view bytes) {
  IniDocument doc = IniDocument::Parse(bytes);
  FUZZ_CHECK(doc.Serialize() == bytes);

  for (const char* key : {"Memo0", "MemoPos0", "MemoColor0", "MinColumn", "DefaultColor"}) {
    const std::optional<std::string> value = doc.Find(kSection, key);
    FUZZ_CHECK(doc.GetString(kSection, key, "\x01") == value.value_or("\x01"));
    (void)doc.GetInt(kSection, key, -7);
  }
  for (int slot = 0; slot < 4; ++slot) {
    for (const char* prefix : {pinlark::kMemoPrefix, pinlark::kTrashPrefix}) {
      if (const auto loaded = pinlark::ReadMemoSlot(doc, prefix, slot, 0)) {
        FUZZ_CHECK(loaded->memo.text.size() <= pinlark::kMemoTextMax);
        (void)loaded->memo.window.Width();
        (void)loaded->memo.window.Height();
      }
    }
  }

  // A text taken from the file itself, stored into the same file and read back.
  const std::string text = AsMemoText(doc.GetString(kSection, "Memo0", std::string(bytes)));
  IniDocument copy = doc;
  FUZZ_CHECK(copy.Set(kSection, "Memo0", pinlark::EscapeMemoText(text)));
  FUZZ_CHECK(copy.Set(kSection, "Extra", "1"));
  copy.Remove(kSection, "MinColumn");
  const IniDocument again = IniDocument::Parse(copy.Serialize());
  FUZZ_CHECK(pinlark::UnescapeMemoText(again.Find(kSection, "Memo0").value_or("<missing>")) == text);
  FUZZ_CHECK(again.GetInt(kSection, "Extra", 0) == 1);
  FUZZ_CHECK(!again.Find(kSection, "MinColumn"));
  FUZZ_CHECK(again.Serialize() == copy.Serialize());

  // A whole slot written over whatever the file held there.
  pinlark::StoredMemo memo;
  memo.text = text;
  memo.alarmTime = static_cast<uint32_t>(bytes.size()) * 2654435761u;
  memo.color = -static_cast<int32_t>(bytes.size() % 4);
  pinlark::WriteMemoSlot(&copy, pinlark::kTrashPrefix, 1, &memo);
  const IniDocument slot = IniDocument::Parse(copy.Serialize());
  const auto loaded = pinlark::ReadMemoSlot(slot, pinlark::kTrashPrefix, 1, 0);
  FUZZ_CHECK(loaded && loaded->memo.text == text && loaded->memo.alarmTime == memo.alarmTime &&
             loaded->memo.color == memo.color && loaded->hasPosition);
  pinlark::WriteMemoSlot(&copy, pinlark::kTrashPrefix, 1, nullptr);
  FUZZ_CHECK(!pinlark::ReadMemoSlot(IniDocument::Parse(copy.Serialize()), pinlark::kTrashPrefix, 1, 0));
}

// The same bytes as a UTF-16 file: unchanged, it writes back as it was; changed, it reads back
// with the change. The code page here widens every unit past ASCII to a double-byte character.
const pinlark::CodePageConversion kTwoBytePage{
    [](std::u16string_view units, std::string* out) {
      for (char16_t unit : units) *out += unit < 0x80 ? std::string(1, static_cast<char>(unit)) : "\x82\xA0";
    },
    [](std::string_view text, std::u16string* out) {
      for (char c : text) out->push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }};

std::string WideBytes(const pinlark::WideSettingsText& wide, const IniDocument& doc) {
  std::string out(wide.Bom());
  doc.Serialize([&](std::string_view piece) {
    return wide.Put(piece, [&](std::string_view b) {
      out += b;
      return true;
    });
  });
  return out;
}

void ExerciseWide(std::string_view bytes) {
  auto file = std::make_shared<const std::string>("\xFF\xFE" + std::string(bytes));
  const pinlark::WideSettingsText wide(file, pinlark::TextEncoding::kUtf16Le, kTwoBytePage);
  IniDocument doc = IniDocument::Parse(wide.Ansi());
  FUZZ_CHECK(WideBytes(wide, doc) == file->substr(0, file->size() & ~std::size_t{1}));  // whole units
  FUZZ_CHECK(doc.Set(kSection, "Memo0", "x") && doc.Set(kSection, "Extra", "1"));
  auto saved = std::make_shared<const std::string>(WideBytes(wide, doc));
  const pinlark::WideSettingsText again(saved, pinlark::TextEncoding::kUtf16Le, kTwoBytePage);
  const IniDocument reread = IniDocument::Parse(again.Ansi());
  FUZZ_CHECK(reread.Find(kSection, "Extra") == "1" && reread.Find(kSection, "Memo0") == "x");
}

// The value as a profile reader returns it: blanks off both ends, then one pair of matching
// quotes.
std::string_view AsRead(std::string_view value) {
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

void ExerciseEscaping(std::string_view bytes) {
  // Any stored value unescapes to a memo text.
  FUZZ_CHECK(pinlark::UnescapeMemoText(bytes).size() <= pinlark::kMemoTextMax);

  const std::string text = AsMemoText(bytes);
  const std::string stored = pinlark::EscapeMemoText(text);
  FUZZ_CHECK(stored.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
  FUZZ_CHECK(stored.size() <= 2 * text.size() + 2);
  FUZZ_CHECK(pinlark::UnescapeMemoText(AsRead(stored)) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ExerciseDocument(bytes);
  ExerciseEscaping(bytes);
  ExerciseWide(bytes);
  return 0;
}
