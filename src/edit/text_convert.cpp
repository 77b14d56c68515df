#include "edit/text_convert.h"

#include <climits>
#include <vector>

#include "memo/text_escape.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

bool IsLead(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; }

// An edit control of an ANSI window counts its positions in bytes on a DBCS Windows but in
// characters where the control keeps its text in Unicode (Wine). The control's own length of its
// whole text tells which: it equals the byte length only when positions are bytes (or the text
// holds no double-byte character, where both agree).
bool PositionsAreBytes(HWND edit, const std::string& text) {
  const LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
  const LRESULT lastStart = SendMessageA(edit, EM_LINEINDEX, static_cast<WPARAM>(lines > 0 ? lines - 1 : 0), 0);
  if (lastStart < 0) return true;
  const LRESULT lastLength = SendMessageA(edit, EM_LINELENGTH, static_cast<WPARAM>(lastStart), 0);
  return static_cast<std::size_t>(lastStart + lastLength) == text.size();
}

// Byte offset of control position `position` in `text`.
std::size_t ByteOffset(const std::string& text, std::size_t position, bool bytes) {
  if (bytes) return position < text.size() ? position : text.size();
  std::size_t offset = 0;
  for (std::size_t chars = 0; chars < position && offset < text.size(); ++chars) {
    offset += (IsLead(text[offset]) && offset + 1 < text.size()) ? 2 : 1;
  }
  return offset;
}

// Control position of the byte offset `offset` in `text`.
std::size_t Position(const std::string& text, std::size_t offset, bool bytes) {
  if (bytes) return offset;
  std::size_t chars = 0;
  for (std::size_t i = 0; i < offset && i < text.size(); ++chars) {
    i += (IsLead(text[i]) && i + 1 < text.size()) ? 2 : 1;
  }
  return chars;
}

// Whether the text ends inside a double-byte character: a lead byte with no trail byte.
bool EndsInHalfCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLead(text[i])) {
      if (i + 1 == text.size()) return true;
      ++i;
    }
  }
  return false;
}

}  // namespace

bool MapText(std::string_view text, DWORD flags, std::size_t capacity, std::string* out) {
  if (text.empty()) {
    out->clear();
    return true;
  }
  if (text.size() > static_cast<std::size_t>(INT_MAX)) return false;
  const int sourceLength = static_cast<int>(text.size());
  // Measured first: the mapped text can be twice as long (to full width) or half (to half width).
  const int needed = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), sourceLength, nullptr, 0);
  if (needed <= 0 || static_cast<std::size_t>(needed) > capacity) return false;
  std::string mapped(static_cast<std::size_t>(needed), '\0');
  const int produced = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), sourceLength, &mapped[0], needed);
  if (produced <= 0 || produced > needed) return false;
  mapped.resize(static_cast<std::size_t>(produced));
  *out = std::move(mapped);
  return true;
}

DWORD ConversionFlags(int commandId) {
  switch (commandId) {
    case IDM_CONV_HALFWIDTH: return LCMAP_HALFWIDTH;
    case IDM_CONV_FULLWIDTH: return LCMAP_FULLWIDTH;
    case IDM_CONV_UPPER: return LCMAP_UPPERCASE;
    case IDM_CONV_LOWER: return LCMAP_LOWERCASE;
    case IDM_CONV_HIRAGANA: return LCMAP_HIRAGANA;
    case IDM_CONV_KATAKANA: return LCMAP_KATAKANA;
    default: return 0;
  }
}

void ConvertSelection(HWND edit, int commandId) {
  const DWORD flags = ConversionFlags(commandId);
  if (flags == 0) return;
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start == end) return;
  const std::string text = WindowText(edit);
  const bool bytes = PositionsAreBytes(edit, text);
  const std::size_t from = ByteOffset(text, start, bytes);
  const std::size_t to = ByteOffset(text, end, bytes);
  if (to <= from) return;
  // The result must leave the whole text within what a memo holds.
  const std::size_t rest = text.size() - (to - from);
  const std::size_t capacity = rest < kMemoTextMax ? kMemoTextMax - rest : 0;
  std::string mapped;
  if (!MapText(std::string_view(text).substr(from, to - from), flags, capacity, &mapped)) {
    MessageBeep(MB_OK);
    return;
  }
  SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(mapped.c_str()));
  const std::size_t selStart = Position(text, from, bytes);
  const std::size_t selEnd = selStart + Position(mapped, mapped.size(), bytes);
  SendMessageA(edit, EM_SETSEL, selStart, static_cast<LPARAM>(selEnd));
  SetFocus(edit);
}

void NormaliseAlarmField(HWND dialog, int fieldId) {
  HWND field = GetDlgItem(dialog, fieldId);
  if (field == nullptr) return;
  DWORD start = 0, end = 0;
  SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start == 0 || start != end) return;
  const std::string text = WindowText(field);
  if (text.empty()) return;
  const bool bytes = PositionsAreBytes(field, text);
  if (start != Position(text, text.size(), bytes)) return;  // the caret is not at the end
  if (EndsInHalfCharacter(text)) return;
  std::string mapped;
  // Any length: an input method commits a whole word at once ("２０２６" is 8 bytes). Half width
  // never takes more bytes than full width.
  if (!MapText(text, LCMAP_HALFWIDTH, text.size(), &mapped)) return;
  // Setting the text sends the update notification again; the caret is then at the start, so
  // that call changes nothing.
  SetWindowTextA(field, mapped.c_str());
  const std::size_t caret = Position(mapped, mapped.size(), bytes);
  SendMessageA(field, EM_SETSEL, caret, static_cast<LPARAM>(caret));
}

}  // namespace pinlark
