// The character conversions of the memo edit dialog on real edit controls, with the system's
// Japanese locale mapping.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "edit/text_convert.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

constexpr WPARAM kFarEnd = 0x7FFFFFFF;  // a position past any text: the control clamps it to the end

std::string TextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, &text[0], length + 1)));
  return text;
}

// A parent window with edit controls: a multi-line one like the memo text and a one-line alarm
// field.
class EditHost {
 public:
  EditHost() {
    parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    memoText_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                                0, 0, 300, 200, parent_, reinterpret_cast<HMENU>(IDC_EDIT_TEXT), nullptr, nullptr);
    field_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 210, 60, 20, parent_,
                             reinterpret_cast<HMENU>(IDC_ALARM_HOUR), nullptr, nullptr);
    SendMessageA(memoText_, EM_LIMITTEXT, 0, 0);
    ShowWindow(parent_, SW_SHOW);
  }
  ~EditHost() { DestroyWindow(parent_); }
  HWND parent() const { return parent_; }
  HWND text() const { return memoText_; }
  HWND field() const { return field_; }

  // Sets before + selected + after and selects the middle part, without assuming whether the
  // control counts positions in bytes or characters.
  void SetWithSelection(const std::string& before, const std::string& selected, const std::string& after) const {
    SetWindowTextA(memoText_, before.c_str());
    SendMessageA(memoText_, EM_SETSEL, kFarEnd, kFarEnd);
    DWORD from = 0, to = 0;
    SendMessageA(memoText_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), 0);
    SendMessageA(memoText_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(selected.c_str()));
    SendMessageA(memoText_, EM_GETSEL, reinterpret_cast<WPARAM>(&to), 0);
    SendMessageA(memoText_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(after.c_str()));
    SendMessageA(memoText_, EM_SETSEL, from, to);
  }

  // The selected bytes, found by replacing the selection with a marker and comparing the texts
  // (the control's own position units stay out of it). Changes the text.
  std::string TakeSelection() const {
    const std::string whole = TextOf(memoText_);
    SendMessageA(memoText_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("\x01"));
    const std::string marked = TextOf(memoText_);
    const std::size_t mark = marked.find('\x01');
    if (mark == std::string::npos) return "<no marker>";
    const std::size_t afterLength = marked.size() - mark - 1;
    if (whole.size() < mark + afterLength) return "<texts differ>";
    return whole.substr(mark, whole.size() - mark - afterLength);
  }

  // Types `typed` at the end of the alarm field, leaving the caret after it as typing does.
  void TypeIntoField(const char* typed) const {
    SendMessageA(field_, EM_SETSEL, kFarEnd, kFarEnd);
    SendMessageA(field_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed));
  }
  DWORD FieldCaret() const {
    DWORD from = 0, to = 0;
    SendMessageA(field_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return from == to ? from : 0xFFFFFFFF;
  }

 private:
  HWND parent_ = nullptr;
  HWND memoText_ = nullptr;
  HWND field_ = nullptr;
};

TEST(TextConvert, UpperCaseReplacesOnlyTheSelectionAndKeepsItSelected) {
  EditHost host;
  host.SetWithSelection("あい abc ", "abc", " えおxyz");
  ConvertSelection(host.text(), IDM_CONV_UPPER);
  EXPECT_EQ(TextOf(host.text()), "あい abc ABC えおxyz");
  EXPECT_EQ(host.TakeSelection(), "ABC");
  EXPECT_EQ(GetFocus(), host.text());
}

TEST(TextConvert, FullWidthSelectsTheWholeLongerResult) {
  EditHost host;
  host.SetWithSelection("日本 ", "abc", " 語");
  ConvertSelection(host.text(), IDM_CONV_FULLWIDTH);
  const std::string fullAbc = "\x82\x81\x82\x82\x82\x83";
  EXPECT_EQ(TextOf(host.text()), "日本 " + fullAbc + " 語");
  EXPECT_EQ(host.TakeSelection(), fullAbc);
}

TEST(TextConvert, HalfWidthOfFullWidthLettersAndDigits) {
  EditHost host;
  host.SetWithSelection("メモ", "ＡＢｃ１２", "終");
  ConvertSelection(host.text(), IDM_CONV_HALFWIDTH);
  EXPECT_EQ(TextOf(host.text()), "メモABc12終");
  EXPECT_EQ(host.TakeSelection(), "ABc12");
}

TEST(TextConvert, KatakanaToHiraganaAndBack) {
  EditHost host;
  host.SetWithSelection("「", "カタカナ", "」です");
  ConvertSelection(host.text(), IDM_CONV_HIRAGANA);
  EXPECT_EQ(TextOf(host.text()), "「かたかな」です");
  ConvertSelection(host.text(), IDM_CONV_KATAKANA);
  EXPECT_EQ(TextOf(host.text()), "「カタカナ」です");
  EXPECT_EQ(host.TakeSelection(), "カタカナ");
}

TEST(TextConvert, LowerCaseOfFullWidthAndAsciiLetters) {
  EditHost host;
  host.SetWithSelection("", "ABＣ", "D");
  ConvertSelection(host.text(), IDM_CONV_LOWER);
  EXPECT_EQ(TextOf(host.text()), "abｃD");
}

TEST(TextConvert, NoSelectionOrAnotherCommandChangesNothing) {
  EditHost host;
  SetWindowTextA(host.text(), "abc カタカナ");
  SendMessageA(host.text(), EM_SETSEL, 2, 2);
  ConvertSelection(host.text(), IDM_CONV_UPPER);
  EXPECT_EQ(TextOf(host.text()), "abc カタカナ");
  host.SetWithSelection("", "abc", "");
  ConvertSelection(host.text(), IDM_CONV_KATAKANA + 1);
  ConvertSelection(host.text(), IDM_PASTE_HALFWIDTH);
  EXPECT_EQ(TextOf(host.text()), "abc");
}

TEST(TextConvert, AResultBeyondTheMemoLimitLeavesTheTextAsItWas) {
  EditHost host;
  // 2 + 2 * 32766 bytes is exactly what a memo holds; one more byte of other text and it is not.
  const std::string letters(32766, 'a');
  host.SetWithSelection("xy", letters, "");
  ConvertSelection(host.text(), IDM_CONV_FULLWIDTH);
  EXPECT_EQ(TextOf(host.text()).size(), 65534u);

  const std::string tooLong = letters;
  host.SetWithSelection("xyz", tooLong, "");
  ConvertSelection(host.text(), IDM_CONV_FULLWIDTH);
  EXPECT_EQ(TextOf(host.text()), "xyz" + tooLong);
  EXPECT_EQ(host.TakeSelection(), tooLong) << "the selection stays too";
}

TEST(TextConvert, MapTextRefusesAResultLongerThanItsRoom) {
  std::string out = "kept";
  EXPECT_FALSE(MapText("abc", LCMAP_FULLWIDTH, 5, &out));
  EXPECT_EQ(out, "kept");
  EXPECT_TRUE(MapText("abc", LCMAP_FULLWIDTH, 6, &out));
  EXPECT_EQ(out, "\x82\x81\x82\x82\x82\x83");
  EXPECT_TRUE(MapText("", LCMAP_UPPERCASE, 0, &out));
  EXPECT_EQ(out, "");
}

TEST(TextConvert, TypedFullWidthDigitsBecomeAsciiWithTheCaretAfterThem) {
  EditHost host;
  host.TypeIntoField("１");
  NormaliseAlarmField(host.parent(), IDC_ALARM_HOUR);
  EXPECT_EQ(TextOf(host.field()), "1");
  EXPECT_EQ(host.FieldCaret(), 1u);
  host.TypeIntoField("２");
  NormaliseAlarmField(host.parent(), IDC_ALARM_HOUR);
  EXPECT_EQ(TextOf(host.field()), "12");
  EXPECT_EQ(host.FieldCaret(), 2u);
}

TEST(TextConvert, FieldTextSetByTheProgramIsLeftAlone) {
  EditHost host;
  SetWindowTextA(host.field(), "１２");
  NormaliseAlarmField(host.parent(), IDC_ALARM_HOUR);
  EXPECT_EQ(TextOf(host.field()), "１２");
  SendMessageA(host.field(), EM_SETSEL, 0, -1);
  NormaliseAlarmField(host.parent(), IDC_ALARM_HOUR);
  EXPECT_EQ(TextOf(host.field()), "１２") << "a selection, not a caret";
}

TEST(TextConvert, FieldsOfAnyLengthAreNormalised) {
  EditHost host;
  host.TypeIntoField("1２３４");  // 7 bytes
  NormaliseAlarmField(host.parent(), IDC_ALARM_HOUR);
  EXPECT_EQ(TextOf(host.field()), "1234");
  SetWindowTextA(host.field(), "");
  host.TypeIntoField("２０２６");  // 8 bytes, as an input method commits a year at once
  NormaliseAlarmField(host.parent(), IDC_ALARM_HOUR);
  EXPECT_EQ(TextOf(host.field()), "2026");
  EXPECT_EQ(host.FieldCaret(), 4u);
}

}  // namespace
}  // namespace pinlark
