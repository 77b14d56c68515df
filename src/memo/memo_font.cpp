#include "memo/memo_font.h"

#include <commdlg.h>

#include <cstring>

#include "app/error_report.h"
#include "app/font_keys.h"
#include "app/settings_save.h"
#include "app/settings_record.h"
#include "app/texts.h"
#include "memo/memo_window.h"

namespace pinlark {
namespace {

bool SystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

void SaveFontKeys(HWND ownerDialog, SettingsRecord* r, const FontKeys& keys) {
  if (r->settingsPath.empty()) {  // this run keeps no settings file
    TellOnceThatNothingIsSaved(GetParent(ownerDialog));
    return;
  }
  SaveSettings(ownerDialog, r, [&](IniDocument& ini) { WriteFontKeys(&ini, keys); });
}

}  // namespace

HFONT LoadMemoFont(const IniDocument& settings) {
  const auto keys = ReadFontKeys(settings, SystemLeadByte);
  if (!keys) return nullptr;
  LOGFONTA font = {};
  font.lfHeight = keys->height;
  font.lfWidth = keys->width;
  font.lfWeight = keys->weight;
  font.lfItalic = keys->italic;
  font.lfCharSet = SHIFTJIS_CHARSET;
  std::strncpy(font.lfFaceName, keys->face.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectA(&font);
}

bool ChooseMemoFont(HWND ownerDialog) {
  HWND mainWindow = GetParent(ownerDialog);
  SettingsRecord* r = GetSettingsRecord(mainWindow);
  LOGFONTA font = {};
  GetObjectA(r->memoFont != nullptr ? r->memoFont : GetStockObject(SYSTEM_FONT), sizeof font, &font);

  CHOOSEFONTA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = ownerDialog;
  choose.lpLogFont = &font;
  choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
  choose.nFontType = SCREEN_FONTTYPE | REGULAR_FONTTYPE;
  if (!ChooseFontA(&choose)) return false;

  HFONT chosen = CreateFontIndirectA(&font);
  if (chosen == nullptr) {
    ReportError(ownerDialog, text::kFontCreateFailed);
    return false;
  }
  if (r->memoFont != nullptr) DeleteObject(r->memoFont);
  r->memoFont = chosen;
  RelayoutAllMemos(mainWindow);

  FontKeys keys;
  keys.face = font.lfFaceName;
  keys.height = font.lfHeight;
  keys.width = font.lfWidth;
  keys.weight = font.lfWeight;
  keys.italic = font.lfItalic;
  SaveFontKeys(ownerDialog, r, keys);
  return true;
}

}  // namespace pinlark
