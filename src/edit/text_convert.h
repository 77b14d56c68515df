// The Japanese character conversions of the memo edit dialog: half/full width, case,
// hiragana/katakana, by the system's locale mapping of ANSI (Shift-JIS) text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace pinlark {

// Maps `text` with the LCMAP_* `flags` under the user's default locale into `out`. False, with
// `out` untouched, when the mapping fails or its result would be longer than `capacity` bytes.
bool MapText(std::string_view text, DWORD flags, std::size_t capacity, std::string* out);

// The LCMAP_* flag of a conversion command (3, 40027 to 40031); 0 for any other id.
DWORD ConversionFlags(int commandId);

// Converts the edit control's selection by the command and selects the result, then gives the
// control the focus. No selection: nothing. A result that would make the text longer than a memo
// can hold leaves the text as it was and beeps. The replacement cannot be undone.
void ConvertSelection(HWND edit, int commandId);

// Turns the full-width characters just typed into an alarm field into half-width ones (a
// full-width digit becomes an ASCII digit the field's number reading accepts). Acts only with
// the caret at the end of a non-empty text and nothing selected, which is how typing leaves it;
// text set by the program leaves the caret at the start and is not touched. Text of any length
// is mapped; text ending in half a double-byte character is left alone.
void NormaliseAlarmField(HWND dialog, int fieldId);

}  // namespace pinlark
