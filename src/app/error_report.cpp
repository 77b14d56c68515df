#include "app/error_report.h"

#include "app/error_text.h"
#include "app/settings_record.h"
#include "app/texts.h"

namespace pinlark {
namespace {

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// The caller's text and the system's text for the last-error code, as a report shows them.
std::string LastErrorText(const char* callerText) {
  const DWORD code = GetLastError();
  char* systemText = nullptr;
  // Without arguments to fill them, a text's inserts (%1 and the like) stay as they are.
  constexpr DWORD kFlags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  FormatMessageA(kFlags, nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&systemText),
                 0, nullptr);
  std::string message = ErrorReportText(callerText, systemText != nullptr ? systemText : "", SystemLeadByte);
  if (systemText != nullptr) LocalFree(systemText);
  return message;
}

}  // namespace

int ReportError(HWND owner, const char* callerText) {
  return MessageBoxA(owner, LastErrorText(callerText).c_str(), text::kAppName, MB_ICONERROR);
}

int AskAfterError(HWND owner, const char* callerText, const char* question) {
  std::string message = LastErrorText(callerText);
  if (!message.empty() && message.back() != '\n') message += '\n';
  message += question;
  return MessageBoxA(owner, message.c_str(), text::kAppName, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
}

int ShowError(HWND owner, const char* message) {
  return MessageBoxA(owner, message, text::kAppName, MB_ICONERROR);
}

int ReportErrorCode(HWND owner, const char* callerText, DWORD error) {
  if (error == ERROR_SUCCESS) return ShowError(owner, callerText);
  SetLastError(error);
  return ReportError(owner, callerText);
}

void TellOnceThatNothingIsSaved(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r->unsavedReason == nullptr || r->unsavedTold) return;
  r->unsavedTold = true;  // before the box: a save from inside it stays silent
  ReportErrorCode(mainWindow, r->unsavedReason, r->unsavedError);
}

}  // namespace pinlark
