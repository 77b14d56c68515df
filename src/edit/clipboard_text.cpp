#include "edit/clipboard_text.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "app/error_report.h"
#include "app/texts.h"
#include "edit/clipboard_rules.h"

namespace pinlark {
namespace {

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

bool ReadClipboardText(HWND owner, std::string* text) {
  if (!OpenClipboard(owner)) return false;
  HANDLE block = GetClipboardData(CF_TEXT);
  if (block == nullptr) {
    CloseClipboard();
    return false;
  }
  const char* bytes = static_cast<const char*>(GlobalLock(block));
  // A block whose size cannot be read is not taken for an empty text.
  const SIZE_T blockSize = bytes != nullptr ? GlobalSize(block) : 0;
  if (blockSize == 0) {
    const DWORD error = GetLastError();
    if (bytes != nullptr) GlobalUnlock(block);
    CloseClipboard();
    // The report is about the lock or the size; closing must not put its own code in its place.
    SetLastError(error);
    ReportError(owner, text::kClipboardLockFailed);
    return false;
  }
  // The text ends at its terminator or at the end of the block, whichever comes first: a block
  // without a terminator is not read past.
  const std::size_t size = std::min<std::size_t>(blockSize, kClipboardReadMax);
  const void* terminator = std::memchr(bytes, '\0', size);
  const std::string_view read(bytes, terminator != nullptr ? static_cast<const char*>(terminator) - bytes : size);
  // A read that stopped inside a double-byte character does not keep its lead byte.
  *text = FitText(read, read.size(), SystemLeadByte);
  GlobalUnlock(block);
  CloseClipboard();
  return true;
}

}  // namespace pinlark
