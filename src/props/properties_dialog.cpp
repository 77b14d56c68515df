#include "props/properties_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/ansi_text.h"
#include "app/app_settings.h"
#include "app/common_controls.h"
#include "app/dialog_place.h"
#include "app/help.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "edit/colour_combo.h"
#include "memo/memo_font.h"
#include "memo/memo_window.h"
#include "props/play_button.h"
#include "props/properties_rules.h"
#include "res/resource_ids.h"

namespace pinlark {
namespace {

// The file name buffer of the open-file dialog: a path of the length AlarmFname can hold.
constexpr std::size_t kSoundPathBuffer = kAlarmFnameMax + 1;

// What the open dialog keeps on itself.
struct PropertiesDialogState {
  HWND mainWindow = nullptr;
};

bool SystemPlaySound(const char* file) { return sndPlaySoundA(file, SND_ASYNC) != FALSE; }

PlaySoundFunction g_playSound = SystemPlaySound;

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

PropertiesDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<PropertiesDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

HWND MainOf(HWND dialog) { return StateOf(dialog)->mainWindow; }

std::string ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  std::vector<char> buffer(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1);
  GetWindowTextA(item, buffer.data(), static_cast<int>(buffer.size()));
  return buffer.data();
}

int32_t Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

void Check(HWND dialog, int id, int32_t setting) {
  CheckDlgButton(dialog, id, setting != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void SetSpinRange(HWND dialog, int spinId, int lower, int upper) {
  SendDlgItemMessageA(dialog, spinId, UDM_SETRANGE, 0,
                      MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
}

void OnInitDialog(HWND dialog, PropertiesDialogState* state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  SettingsRecord* r = GetSettingsRecord(state->mainWindow);
  const AppSettings& s = r->app;
  r->propertiesDialog = dialog;
  CentreDialogOnScreen(state->mainWindow, dialog);
  FillColourCombo(dialog, IDC_PROP_COLOR, nullptr);

  Check(dialog, IDC_PROP_CRMODE, s.crMode);
  Check(dialog, IDC_PROP_3DMODE, s.threeDMode);
  Check(dialog, IDC_PROP_AUTOARRANGE, s.autoArrange);
  Check(dialog, IDC_PROP_ACCELCLOSE, s.accelClose);
  Check(dialog, IDC_PROP_ABBANDCONF, s.abbandConf);
  Check(dialog, IDC_PROP_IMEOPEN, s.imeOpen);

  SetDlgItemInt(dialog, IDC_PROP_MINCOLUMN, static_cast<UINT>(s.minColumn), FALSE);
  SetDlgItemInt(dialog, IDC_PROP_CXMERGIN, static_cast<UINT>(s.cxMergin), FALSE);
  SetDlgItemInt(dialog, IDC_PROP_CYMERGIN, static_cast<UINT>(s.cyMergin), FALSE);
  SetDlgItemInt(dialog, IDC_PROP_INTERVAL, static_cast<UINT>(s.cyInterval), TRUE);
  // Typing stops where AlarmFname ends; a longer name would be cut when stored.
  SendDlgItemMessageA(dialog, IDC_PROP_SOUND, EM_LIMITTEXT, kAlarmFnameMax, 0);
  SetDlgItemTextA(dialog, IDC_PROP_SOUND, s.alarmFname.c_str());

  // The arrows stop at the bounds Apply holds typed values to.
  SetSpinRange(dialog, IDC_PROP_MINCOLUMN_SPIN, kMinColumnLowest, kMinColumnHighest);
  SetSpinRange(dialog, IDC_PROP_CXMERGIN_SPIN, kMerginBounds.lowest, kMerginBounds.highest);
  SetSpinRange(dialog, IDC_PROP_CYMERGIN_SPIN, kMerginBounds.lowest, kMerginBounds.highest);
  SetSpinRange(dialog, IDC_PROP_INTERVAL_SPIN, kIntervalBounds.lowest, kIntervalBounds.highest);

  // Filling the fields above offered "更新"; it starts disabled. The focus put on the minimum
  // width field is word from that field, though, so the dialog opens with it enabled again.
  EnableWindow(GetDlgItem(dialog, IDC_PROP_APPLY), FALSE);
  SetFocus(GetDlgItem(dialog, IDC_PROP_MINCOLUMN));
}

// A margin or the interval typed outside its bounds: told with the range the field takes. Text
// that is no number is not refused here; its setting keeps the value it has.
bool RefusedOutOfBounds(HWND dialog, const std::optional<int32_t>& value, SettingBounds bounds, const char* format) {
  if (!value || bounds.Holds(*value)) return false;
  char message[96];
  std::snprintf(message, sizeof message, format, static_cast<int>(bounds.lowest), static_cast<int>(bounds.highest));
  MessageBoxA(dialog, message, text::kAppName, MB_ICONERROR);
  return true;
}

void CloseDialog(HWND dialog, int result) {
  if (SettingsRecord* r = GetSettingsRecord(MainOf(dialog))) r->propertiesDialog = nullptr;
  EndDialog(dialog, result);
}

// Stores the form in the settings record and lays the memos out again. False, with nothing
// stored, when the minimum width, a margin or the interval is refused; false, after storing all
// but the sound file, when the interval is not a number.
bool ApplyProperties(HWND dialog) {
  HWND mainWindow = MainOf(dialog);
  const auto minColumn = ParseUnsignedField(ItemText(dialog, IDC_PROP_MINCOLUMN));
  if (!minColumn || !MinColumnAcceptable(static_cast<uint32_t>(*minColumn))) {
    MessageBoxA(dialog, text::kMinColumnRange, text::kAppName, MB_ICONERROR);
    return false;
  }
  const auto cxMergin = ParseUnsignedField(ItemText(dialog, IDC_PROP_CXMERGIN));
  const auto cyMergin = ParseUnsignedField(ItemText(dialog, IDC_PROP_CYMERGIN));
  const auto interval = ParseSignedField(ItemText(dialog, IDC_PROP_INTERVAL));
  if (RefusedOutOfBounds(dialog, cxMergin, kMerginBounds, text::kCxMerginRange) ||
      RefusedOutOfBounds(dialog, cyMergin, kMerginBounds, text::kCyMerginRange) ||
      RefusedOutOfBounds(dialog, interval, kIntervalBounds, text::kIntervalRange)) {
    return false;
  }
  AppSettings& s = GetSettingsRecord(mainWindow)->app;
  s.minColumn = *minColumn;
  // No entry is selected when the file held a colour the palette lacks: that colour stays.
  if (const auto colour = SelectedColour(dialog, IDC_PROP_COLOR)) s.defaultColor = *colour;
  s.crMode = Checked(dialog, IDC_PROP_CRMODE);
  s.threeDMode = Checked(dialog, IDC_PROP_3DMODE);
  s.autoArrange = Checked(dialog, IDC_PROP_AUTOARRANGE);
  s.accelClose = Checked(dialog, IDC_PROP_ACCELCLOSE);
  s.abbandConf = Checked(dialog, IDC_PROP_ABBANDCONF);
  s.imeOpen = Checked(dialog, IDC_PROP_IMEOPEN);

  // A margin that is not a number keeps its old value without a word.
  if (cxMergin) s.cxMergin = *cxMergin;
  if (cyMergin) s.cyMergin = *cyMergin;
  if (!interval) return false;
  s.cyInterval = *interval;

  SetSetting(mainWindow, kSetAlarmFname, reinterpret_cast<intptr_t>(ItemText(dialog, IDC_PROP_SOUND).c_str()));
  RelayoutAllMemos(mainWindow);
  return true;
}

void ChooseSoundFile(HWND dialog) {
  char file[kSoundPathBuffer] = "";
  const std::string current = CutAtCharBoundary(ItemText(dialog, IDC_PROP_SOUND), kAlarmFnameMax, SystemLeadByte);
  current.copy(file, current.size());
  // One pair of description and pattern, ended by an empty pair.
  const std::string filter = std::string(text::kSoundFilter) + '\0' + text::kSoundPattern + '\0' + '\0';

  OPENFILENAMEA choice = {};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = dialog;
  choice.lpstrFilter = filter.c_str();
  choice.nFilterIndex = 1;
  choice.lpstrFile = file;
  choice.nMaxFile = sizeof file;
  choice.lpstrTitle = text::kSoundDialogTitle;
  choice.Flags = OFN_FILEMUSTEXIST;
  choice.lpstrDefExt = text::kSoundExtension;
  if (GetOpenFileNameA(&choice)) SetDlgItemTextA(dialog, IDC_PROP_SOUND, file);
}

void PlayChosenSound(HWND dialog) {
  // The name is passed on as it stands, empty or not: what the alarm would play.
  if (!g_playSound(ItemText(dialog, IDC_PROP_SOUND).c_str())) {
    MessageBoxA(dialog, text::kCannotPlay, text::kAppName, MB_ICONERROR);
  }
}

void OnCommand(HWND dialog, WORD id) {
  switch (id) {
    case IDOK:
      if (ApplyProperties(dialog)) CloseDialog(dialog, IDOK);
      return;
    case IDC_PROP_APPLY:
      ApplyProperties(dialog);
      return;
    case IDCANCEL:
      CloseDialog(dialog, IDCANCEL);
      return;
    case IDC_DLG_HELP: OpenHelp(dialog, HELP_CTX_PROPERTIES); return;
    case IDC_PROP_FONT: ChooseMemoFont(dialog); return;
    case IDC_PROP_SOUND_CHOOSE: ChooseSoundFile(dialog); return;
    case IDC_PROP_SOUND_PLAY: PlayChosenSound(dialog); return;
    // Any word from these fields, focus included, offers "更新".
    case IDC_PROP_MINCOLUMN: case IDC_PROP_CRMODE: case IDC_PROP_CXMERGIN:
    case IDC_PROP_CYMERGIN: case IDC_PROP_INTERVAL:
      EnableWindow(GetDlgItem(dialog, IDC_PROP_APPLY), TRUE);
      return;
    default:
      return;
  }
}

void OnDrawItem(const DRAWITEMSTRUCT* item) {
  if (item->CtlID == IDC_PROP_SOUND_PLAY) {
    DrawPlayButton(item);
  } else {
    DrawPaletteItem(item);
  }
}

INT_PTR CALLBACK PropertiesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog, reinterpret_cast<PropertiesDialogState*>(lParam));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (StateOf(dialog) != nullptr) OnCommand(dialog, LOWORD(wParam));
      return TRUE;
    case WM_DRAWITEM:
      OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_MEASUREITEM:
      MeasurePaletteItem(dialog, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_HELP:
      SendMessageA(dialog, WM_COMMAND, IDC_DLG_HELP, 0);
      return TRUE;
    case WM_DESTROY:
      // Also when the main window goes while the dialog is open: the record must not keep it.
      if (StateOf(dialog) != nullptr) {
        SettingsRecord* r = GetSettingsRecord(MainOf(dialog));
        if (r != nullptr && r->propertiesDialog == dialog) r->propertiesDialog = nullptr;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

PlaySoundFunction SetPlaySoundFunction(PlaySoundFunction play) {
  const PlaySoundFunction previous = g_playSound;
  g_playSound = play != nullptr ? play : SystemPlaySound;
  return previous;
}

void OpenPropertiesDialog(HWND mainWindow) {
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  if (r == nullptr) return;
  if (r->propertiesDialog != nullptr) {
    SetFocus(r->propertiesDialog);
    return;
  }
  PropertiesDialogState state;
  state.mainWindow = mainWindow;
  LoadUpDownControls();
  // The record may be gone when this returns (the program closed meanwhile): it is not touched.
  DialogBoxParamA(r->instance, MAKEINTRESOURCEA(IDD_PROPERTIES), mainWindow, PropertiesDialogProc,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace pinlark
