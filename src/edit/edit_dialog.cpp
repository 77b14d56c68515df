#include "edit/edit_dialog.h"

#include <commctrl.h>
#include <imm.h>

#include <clocale>
#include <ctime>
#include <new>
#include <string>
#include <vector>

#include "alarm/alarm_due.h"
#include "alarm/clock.h"
#include "app/ansi_text.h"
#include "app/common_controls.h"
#include "app/dialog_place.h"
#include "app/help.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "edit/alarm_calendar.h"
#include "edit/colour_combo.h"
#include "edit/palette.h"
#include "edit/text_convert.h"
#include "memo/alarm_time.h"
#include "memo/memo_list.h"
#include "memo/memo_record.h"
#include "memo/memo_store.h"
#include "memo/memo_window.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

// In the order of the alarm field indices.
constexpr int kAlarmFields[kAlarmFieldCount] = {IDC_ALARM_YEAR, IDC_ALARM_MONTH, IDC_ALARM_DAY, IDC_ALARM_HOUR, IDC_ALARM_MINUTE};

// What the open dialog keeps: the memo it edits, the brush of its edit field, the input
// method's state before it opened, and the edit field's own procedure.
struct EditDialogState {
  HWND mainWindow = nullptr;
  HWND memo = nullptr;
  HBRUSH fieldBrush = nullptr;
  BOOL savedImeOpen = FALSE;
  WNDPROC editProc = nullptr;
};

EditDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<EditDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

SettingsRecord* RecordOf(HWND dialog) { return GetSettingsRecord(StateOf(dialog)->mainWindow); }

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

HWND Field(HWND dialog) { return GetDlgItem(dialog, IDC_EDIT_TEXT); }

std::string ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  std::vector<char> buffer(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1);
  GetWindowTextA(item, buffer.data(), static_cast<int>(buffer.size()));
  return buffer.data();
}

std::optional<unsigned> ReadField(HWND dialog, int id) { return ParseAlarmField(ItemText(dialog, id)); }

void WriteField(HWND dialog, int id, unsigned value, bool leadingZero) {
  SetDlgItemTextA(dialog, id, AlarmFieldText(value, leadingZero).c_str());
}

void RepaintField(HWND dialog) { InvalidateRect(Field(dialog), nullptr, TRUE); }

void DropFieldBrush(HWND dialog) {
  EditDialogState* state = StateOf(dialog);
  if (state->fieldBrush != nullptr) DeleteObject(state->fieldBrush);
  state->fieldBrush = nullptr;
}

// The edit field repaints itself whole after scrolling: its text is drawn without background.
LRESULT CALLBACK ScrollRepaintProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC previous = StateOf(GetParent(field))->editProc;
  const LRESULT result = CallWindowProcA(previous, field, message, wParam, lParam);
  if (message == WM_VSCROLL || message == WM_HSCROLL) {
    InvalidateRect(field, nullptr, TRUE);
    UpdateWindow(field);
  }
  return result;
}

void PlaceDialog(HWND dialog, HWND memo) {
  if (memo == nullptr) {
    CentreDialogOnScreen(GetParent(dialog), dialog);
    return;
  }
  RECT memoRect, own;
  GetWindowRect(memo, &memoRect);
  GetWindowRect(dialog, &own);
  const int w = own.right - own.left, h = own.bottom - own.top;
  int x = memoRect.left < 0 ? 0 : memoRect.left;
  int y = memoRect.top < 0 ? 0 : memoRect.top;
  if (x + w > GetSystemMetrics(SM_CXSCREEN)) x = GetSystemMetrics(SM_CXSCREEN) - w;
  if (y + h > GetSystemMetrics(SM_CYSCREEN)) y = GetSystemMetrics(SM_CYSCREEN) - h;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EnableAlarmFields(HWND dialog, bool enable) {
  for (int id : kAlarmFields) EnableWindow(GetDlgItem(dialog, id), enable);
}

void ShowAlarmTime(HWND dialog, uint32_t packed) {
  if (packed == 0) {
    const SYSTEMTIME now = CurrentLocalTime();
    packed = NextFullHour({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute});
  }
  const AlarmFields f = UnpackAlarmTime(packed);
  WriteField(dialog, IDC_ALARM_YEAR, static_cast<unsigned>(f.year), false);
  // Below 10 the month, day, hour and minute show a leading zero when the dialog opens.
  WriteField(dialog, IDC_ALARM_MONTH, static_cast<unsigned>(f.month), true);
  WriteField(dialog, IDC_ALARM_DAY, static_cast<unsigned>(f.day), true);
  WriteField(dialog, IDC_ALARM_HOUR, static_cast<unsigned>(f.hour), true);
  WriteField(dialog, IDC_ALARM_MINUTE, static_cast<unsigned>(f.minute), true);
}

void SetImeOpen(HWND dialog, bool open) {
  HWND field = Field(dialog);
  HIMC context = ImmGetContext(field);
  if (context == nullptr) return;
  if (open) {
    StateOf(dialog)->savedImeOpen = ImmGetOpenStatus(context);
    ImmSetOpenStatus(context, TRUE);
  } else {
    ImmSetOpenStatus(context, StateOf(dialog)->savedImeOpen);
  }
  ImmReleaseContext(field, context);
}

void OnInitDialog(HWND dialog, EditDialogState* state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  SettingsRecord* r = GetSettingsRecord(state->mainWindow);
  HWND memo = state->memo;
  r->editDialog = dialog;
  HWND field = Field(dialog);
  state->editProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ScrollRepaintProc)));
  PlaceDialog(dialog, memo);
  SendMessageA(field, WM_SETFONT,
               reinterpret_cast<WPARAM>(r->memoFont != nullptr ? r->memoFont : GetStockObject(SYSTEM_FONT)), FALSE);
  SendMessageA(field, EM_LIMITTEXT, 65534, 0);
  const int tabStop = 16;
  SendMessageA(field, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  if (r->app.crMode == 0) SetWindowLongA(field, GWL_STYLE, GetWindowLongA(field, GWL_STYLE) | ES_WANTRETURN);

  // The year runs over the years a packed alarm time can hold.
  SendDlgItemMessageA(dialog, IDC_SPIN_YEAR, UDM_SETRANGE, 0, MAKELPARAM(kLastAlarmYear, kFirstAlarmYear));
  SendDlgItemMessageA(dialog, IDC_SPIN_MONTH, UDM_SETRANGE, 0, MAKELPARAM(12, 1));
  SendDlgItemMessageA(dialog, IDC_SPIN_DAY, UDM_SETRANGE, 0, MAKELPARAM(31, 1));
  SendDlgItemMessageA(dialog, IDC_SPIN_HOUR, UDM_SETRANGE, 0, MAKELPARAM(23, 0));
  SendDlgItemMessageA(dialog, IDC_SPIN_MINUTE, UDM_SETRANGE, 0, MAKELPARAM(59, 0));

  FillColourCombo(dialog, IDC_EDIT_COLOR, memo);
  CheckDlgButton(dialog, IDC_EDIT_TOPMOST, GetMemoField(memo, kMemoTopMost) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_EDIT_NOARRANGE, GetMemoField(memo, kMemoNoArrange) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_EDIT_NOMINCLM, GetMemoField(memo, kMemoNoMinClm) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_EDIT_ARRANGE, r->app.move == 0 ? BST_CHECKED : BST_UNCHECKED);

  ShowAlarmTime(dialog, static_cast<uint32_t>(GetMemoField(memo, kMemoAlarmTime)));
  if (GetMemoField(memo, kMemoAlarm) != 0) {
    CheckDlgButton(dialog, IDC_EDIT_ALARM, BST_CHECKED);
  } else {
    EnableAlarmFields(dialog, false);
  }
  if (memo != nullptr) {
    SetWindowTextA(field, MemoText(memo).c_str());
    SendMessageA(field, EM_SETMODIFY, FALSE, 0);
  }
  SetFocus(field);
  SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (r->app.imeOpen != 0) SetImeOpen(dialog, true);
  SetForegroundWindow(dialog);
}

void CloseDialog(HWND dialog, int result) {
  SettingsRecord* r = RecordOf(dialog);
  if (r->app.imeOpen != 0) SetImeOpen(dialog, false);
  r->editDialog = nullptr;
  EndDialog(dialog, result);
}

// OK refuses alarm fields a packed time cannot mean (a month of 13 would carry into the next
// year, a year past 2039 wrap round): it names the range, and the field gets the focus with its
// text selected for typing over.
bool AlarmFieldsAcceptable(HWND dialog) {
  if (IsDlgButtonChecked(dialog, IDC_EDIT_ALARM) != BST_CHECKED) return true;
  std::optional<unsigned> values[kAlarmFieldCount];
  for (int i = 0; i < kAlarmFieldCount; ++i) values[i] = ReadField(dialog, kAlarmFields[i]);
  const std::optional<UnsoundAlarmField> unsound = FirstUnsoundAlarmField(values);
  if (!unsound) return true;
  static constexpr const char* kRangeTexts[kAlarmFieldCount] = {text::kAlarmYearRange, text::kAlarmMonthRange,
                                                               text::kAlarmDayRange, text::kAlarmHourRange,
                                                               text::kAlarmMinuteRange};
  char message[128];
  wsprintfA(message, kRangeTexts[unsound->field], static_cast<int>(unsound->high));
  MessageBoxA(dialog, message, text::kAppName, MB_ICONERROR);
  HWND field = GetDlgItem(dialog, kAlarmFields[unsound->field]);
  SetFocus(field);
  SendMessageA(field, EM_SETSEL, 0, -1);
  return false;
}

// The chosen colour; with no entry chosen (a colour the palette lacks, from a hand-edited file)
// a memo keeps its own, and a new one (`memo` null) gets the default colour.
int32_t ColourOnOk(HWND dialog, HWND memo) {
  if (const auto chosen = SelectedColour(dialog, IDC_EDIT_COLOR)) return *chosen;
  return memo != nullptr ? GetMemoField(memo, kMemoColor) : RecordOf(dialog)->app.defaultColor;
}

void ApplyEdit(HWND dialog) {
  EditDialogState* state = StateOf(dialog);
  SettingsRecord* r = GetSettingsRecord(state->mainWindow);
  HWND memo = state->memo;
  // A memo deleted while the dialog was open is not written to: the text becomes a new memo.
  if (memo != nullptr && ListIndexOf(r->memos, r->memoCount, memo) < 0) memo = nullptr;
  const bool isNew = memo == nullptr;
  if (isNew) memo = CreateMemoWindow(state->mainWindow, kKindMemo);
  if (memo != nullptr) {
    SetWindowTextA(memo, CutAtCharBoundary(ItemText(dialog, IDC_EDIT_TEXT), 65534, SystemLeadByte).c_str());
    SetMemoField(memo, kMemoColor, ColourOnOk(dialog, isNew ? nullptr : memo));
    const bool noArrange = IsDlgButtonChecked(dialog, IDC_EDIT_NOARRANGE) == BST_CHECKED;
    SetMemoField(memo, kMemoTopMost, IsDlgButtonChecked(dialog, IDC_EDIT_TOPMOST) == BST_CHECKED);
    SetMemoField(memo, kMemoNoArrange, noArrange && !isNew);  // a new memo is sized as an arranged one
    SetMemoField(memo, kMemoNoMinClm, IsDlgButtonChecked(dialog, IDC_EDIT_NOMINCLM) == BST_CHECKED);
    const bool alarm = IsDlgButtonChecked(dialog, IDC_EDIT_ALARM) == BST_CHECKED;
    SetMemoField(memo, kMemoAlarm, alarm);
    if (alarm) {
      const auto field = [&](int id) { return static_cast<int>(ReadField(dialog, id).value_or(0)); };
      SetMemoField(memo, kMemoAlarmTime,
                   static_cast<int32_t>(PackAlarmTime({field(IDC_ALARM_YEAR), field(IDC_ALARM_MONTH),
                                                       field(IDC_ALARM_DAY), field(IDC_ALARM_HOUR),
                                                       field(IDC_ALARM_MINUTE)})));
    }
    AutoSizeMemo(memo);
    SetMemoField(memo, kMemoNoArrange, noArrange);
    if (isNew && r->app.hide == 0) {
      ShowWindow(memo, SW_SHOWNORMAL);
    } else {
      InvalidateRect(memo, nullptr, TRUE);
    }
  }
  if (IsDlgButtonChecked(dialog, IDC_EDIT_ARRANGE) == BST_CHECKED) {
    SendMessageA(state->mainWindow, WM_COMMAND, IDM_ARRANGE, 0);
  }
  SaveAllMemos(state->mainWindow);
}

// Esc closes at once unless the text was changed and the user wants to keep editing.
bool MayAbandon(HWND dialog) {
  if (SendMessageA(Field(dialog), EM_GETMODIFY, 0, 0) == 0 || RecordOf(dialog)->app.abbandConf == 0) return true;
  return MessageBoxA(dialog, text::kAbandonEdit, text::kAppName, MB_YESNO | MB_ICONQUESTION) != IDNO;
}

void InsertCurrentTime(HWND dialog) {
  std::setlocale(LC_TIME, "jpn");
  const SYSTEMTIME now = CurrentLocalTime();
  std::tm local = {};
  local.tm_year = now.wYear - 1900;
  local.tm_mon = now.wMonth - 1;
  local.tm_mday = now.wDay;
  local.tm_hour = now.wHour;
  local.tm_min = now.wMinute;
  local.tm_isdst = -1;
  std::mktime(&local);  // fills the weekday and the day of the year, which strftime checks
  char text[128] = "";
  std::strftime(text, sizeof text, "%x %H:%M", &local);
  SendMessageA(Field(dialog), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

void ShowConversionMenu(HWND dialog) {
  DWORD start = 0, end = 0;
  SendMessageA(Field(dialog), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start == end) {
    MessageBeep(MB_ICONASTERISK);
    return;
  }
  HMENU menu = GetSubMenu(RecordOf(dialog)->menu, SUBMENU_CONVERT);
  RECT button, own;
  GetWindowRect(GetDlgItem(dialog, IDC_EDIT_CONVERT), &button);
  GetWindowRect(dialog, &own);
  if (own.right > GetSystemMetrics(SM_CXSCREEN) - 4) {
    TrackPopupMenu(menu, TPM_RIGHTALIGN, button.right, button.bottom, 0, dialog, nullptr);
  } else {
    TrackPopupMenu(menu, 0, button.left, button.bottom, 0, dialog, nullptr);
  }
}

void StepMinuteSpin(HWND dialog, int delta) {
  auto minute = ReadField(dialog, IDC_ALARM_MINUTE);
  auto hour = ReadField(dialog, IDC_ALARM_HOUR);
  if (!minute || !hour || !StepMinute(&*hour, &*minute, delta)) return;
  WriteField(dialog, IDC_ALARM_MINUTE, *minute, false);
  WriteField(dialog, IDC_ALARM_HOUR, *hour, false);
}

void StepDaySpin(HWND dialog, int delta) {
  auto day = ReadField(dialog, IDC_ALARM_DAY);
  auto month = ReadField(dialog, IDC_ALARM_MONTH);
  auto year = ReadField(dialog, IDC_ALARM_YEAR);
  if (!day || !month || !year || !StepDay(&*year, &*month, &*day, delta)) return;
  WriteField(dialog, IDC_ALARM_DAY, *day, false);
  WriteField(dialog, IDC_ALARM_MONTH, *month, false);
  WriteField(dialog, IDC_ALARM_YEAR, *year, false);
}

void OnCommand(HWND dialog, WORD id, WORD notification) {
  switch (id) {
    case IDOK:
      if (!AlarmFieldsAcceptable(dialog)) return;
      ApplyEdit(dialog);
      CloseDialog(dialog, IDOK);
      return;
    case IDCANCEL:
      if (MayAbandon(dialog)) CloseDialog(dialog, IDCANCEL);
      return;
    case IDM_CONV_HALFWIDTH: case IDM_CONV_FULLWIDTH: case IDM_CONV_UPPER:
    case IDM_CONV_LOWER: case IDM_CONV_HIRAGANA: case IDM_CONV_KATAKANA:
      ConvertSelection(Field(dialog), id);
      return;
    case IDC_EDIT_NOW: InsertCurrentTime(dialog); return;
    case IDC_DLG_HELP: OpenHelp(dialog, HELP_CTX_EDIT); return;
    case IDC_EDIT_CONVERT: ShowConversionMenu(dialog); return;
    case IDC_EDIT_COLOR:
      if (notification == CBN_SELCHANGE) {
        DropFieldBrush(dialog);
        RepaintField(dialog);
      }
      return;
    case IDC_EDIT_TEXT:
      if (notification == EN_UPDATE || notification == EN_HSCROLL || notification == EN_VSCROLL) RepaintField(dialog);
      return;
    case IDC_EDIT_ALARM:
      EnableAlarmFields(dialog, IsDlgButtonChecked(dialog, IDC_EDIT_ALARM) == BST_CHECKED);
      InvalidateRect(dialog, nullptr, FALSE);
      return;
    case IDC_ALARM_YEAR: case IDC_ALARM_MONTH: case IDC_ALARM_DAY: case IDC_ALARM_HOUR: case IDC_ALARM_MINUTE:
      if (notification == EN_UPDATE) NormaliseAlarmField(dialog, id);
      return;
    default:
      return;
  }
}

INT_PTR FieldColouring(HWND dialog, HDC dc) {
  EditDialogState* state = StateOf(dialog);
  const int32_t colour = ColourOnOk(dialog, state->memo);
  // The transparent colours have no colour of their own: the field shows white for them.
  const COLORREF fill = IsTransparentColor(colour) ? RGB(255, 255, 255) : static_cast<COLORREF>(colour);
  if (state->fieldBrush == nullptr) state->fieldBrush = CreateSolidBrush(fill);
  SetTextColor(dc, colour == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<INT_PTR>(state->fieldBrush);
}

INT_PTR CALLBACK EditDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog, reinterpret_cast<EditDialogState*>(lParam));
      return FALSE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMUPDOWN*>(lParam);
      if (header->hdr.code == UDN_DELTAPOS && header->hdr.idFrom == IDC_SPIN_MINUTE) StepMinuteSpin(dialog, header->iDelta);
      if (header->hdr.code == UDN_DELTAPOS && header->hdr.idFrom == IDC_SPIN_DAY) StepDaySpin(dialog, header->iDelta);
      return FALSE;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == Field(dialog)) return FieldColouring(dialog, reinterpret_cast<HDC>(wParam));
      return FALSE;
    case WM_DRAWITEM:
      DrawPaletteItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_MEASUREITEM:
      MeasurePaletteItem(dialog, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_HELP:
      SendMessageA(dialog, WM_COMMAND, IDC_DLG_HELP, 0);
      return TRUE;
    case WM_DESTROY:
      if (StateOf(dialog) != nullptr) {
        DropFieldBrush(dialog);
        SetWindowLongPtrA(Field(dialog), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StateOf(dialog)->editProc));
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void OpenEditDialog(HWND mainWindow, HWND memo) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r->editDialog != nullptr) {
    MessageBoxA(mainWindow, text::kOnlyOneEditor, text::kAppName, MB_ICONHAND);
    SetFocus(r->editDialog);
    return;
  }
  r->editTarget = memo;
  EditDialogState state;
  state.mainWindow = mainWindow;
  state.memo = memo;
  LoadUpDownControls();
  DialogBoxParamA(r->instance, MAKEINTRESOURCEA(IDD_EDIT), mainWindow, EditDialogProc,
                  reinterpret_cast<LPARAM>(&state));
  r->editTarget = nullptr;
  for (int i = 0; i < r->memoCount; ++i) {
    if (GetMemoField(r->memos[i], kMemoTopMost) != 0) {
      SetWindowPos(r->memos[i], HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
  }
}

// The session ends with the dialog open: what it shows the user has written goes into its memo,
// or into a new one, so that the save that follows keeps it. The dialog stays open on that memo,
// so a later OK changes it rather than making a second one.
void KeepOpenEditText(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  HWND dialog = r->editDialog;
  if (dialog == nullptr || StateOf(dialog) == nullptr) return;
  EditDialogState* state = StateOf(dialog);
  HWND memo = state->memo;
  if (memo != nullptr && ListIndexOf(r->memos, r->memoCount, memo) < 0) memo = nullptr;
  const std::string text = CutAtCharBoundary(ItemText(dialog, IDC_EDIT_TEXT), 65534, SystemLeadByte);
  if (memo != nullptr ? SendMessageA(Field(dialog), EM_GETMODIFY, 0, 0) == 0 : text.empty()) return;
  const bool isNew = memo == nullptr;
  if (isNew) {
    memo = CreateMemoWindow(mainWindow, kKindMemo);
    if (memo == nullptr) return;
    SetMemoField(memo, kMemoColor, SelectedColour(dialog, IDC_EDIT_COLOR).value_or(r->app.defaultColor));
    state->memo = memo;
    r->editTarget = memo;
  }
  SetWindowTextA(memo, text.c_str());
  AutoSizeMemo(memo);
  if (isNew && r->app.hide == 0) ShowWindow(memo, SW_SHOWNOACTIVATE);
  InvalidateRect(memo, nullptr, TRUE);
  SendMessageA(Field(dialog), EM_SETMODIFY, FALSE, 0);
}

}  // namespace pinlark
