#include "app/error_report.h"

#include "app/error_text.h"
#include "app/texts.h"

namespace pinlark {
namespace {

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

int ReportError(HWND owner, const char* callerText) {
  const DWORD code = GetLastError();
  char* systemText = nullptr;
  // Without arguments to fill them, a text's inserts (%1 and the like) stay as they are.
  constexpr DWORD kFlags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  FormatMessageA(kFlags, nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&systemText),
                 0, nullptr);
  const std::string message = ErrorReportText(callerText, systemText != nullptr ? systemText : "", SystemLeadByte);
  if (systemText != nullptr) LocalFree(systemText);
  return MessageBoxA(owner, message.c_str(), text::kAppName, MB_ICONERROR);
}

int ShowError(HWND owner, const char* message) {
  return MessageBoxA(owner, message, text::kAppName, MB_ICONERROR);
}

}  // namespace pinlark
