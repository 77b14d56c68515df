// The rules of the clipboard commands and of opening a memo's first line that need no window:
// joining a pasted text onto a memo, fitting a text into a memo, the shell's target, and which
// report a failed shell open gives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/ansi_text.h"

namespace pinlark {

inline constexpr std::size_t kClipboardReadMax = 65535;  // bytes of clipboard text a paste takes
inline constexpr std::size_t kShellTargetMax = 259;      // bytes of a memo's first line handed to the shell

// The longest start of `text` of at most `limit` bytes that ends on a character boundary. A
// lead byte at the very end, with no trail byte after it, is half a character and is not kept.
std::string FitText(std::string_view text, std::size_t limit, LeadBytePredicate isLead = IsCp932LeadByte);

// A memo's text after a paste.
struct PastedMemoText {
  std::string text;
  bool cut = false;  // the pasted text did not fit whole: the user hears a beep
};

// `memoText` with `pasted` appended on a line of its own: a CR LF goes between them unless the
// memo's text ends in a line feed (an empty memo gets one too, so its text starts with an empty
// line). A result longer than `limit` keeps as much of the pasted text as fits, cut at a
// character boundary. Nothing when not even the line break fits, or not one character of a
// non-empty pasted text: the memo then stays as it was.
std::optional<PastedMemoText> AppendPastedText(std::string_view memoText, std::string_view pasted, std::size_t limit,
                                               LeadBytePredicate isLead = IsCp932LeadByte);

// What the shell is asked to open for a memo: its first line (up to the first CR). Nothing when
// that line is empty or longer than kShellTargetMax bytes: cut, it would name another file.
std::optional<std::string> ShellTarget(std::string_view memoText);

// How a failed shell open is told to the user.
struct ShellOpenReport {
  enum Kind {
    kNone,         // opened: nothing to tell
    kSystemError,  // the error reporter, with `lastError` set first
    kNumbered,     // the message with the shell's own error number
  };
  Kind kind = kNone;
  uint32_t lastError = 0;
};

// The report for what the shell's open returned (more than 32 on success). Its old error numbers
// that have a system error code of the same sense are told with the system's text for it.
ShellOpenReport ReportForShellResult(std::intptr_t result);

}  // namespace pinlark
