#include "app/font_keys.h"

#include <cctype>

#include "app/texts.h"

namespace pinlark {
namespace {

constexpr std::string_view kSection = text::kSettingsSection;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

std::optional<FontKeys> ReadFontKeys(const IniDocument& ini, LeadBytePredicate isLead) {
  const std::string face = CutAtCharBoundary(ini.GetString(kSection, "FontFace", "System"), kFaceNameMax, isLead);
  if (EqualsIgnoringCase(face, "System")) return std::nullopt;
  FontKeys font;
  font.face = face;
  font.width = ini.GetInt(kSection, "FontWidth", font.width);
  font.height = ini.GetInt(kSection, "FontHeight", font.height);
  font.weight = ini.GetInt(kSection, "FontWeight", font.weight);
  font.italic = static_cast<uint8_t>(ini.GetInt(kSection, "FontItalic", font.italic));
  return font;
}

void WriteFontKeys(IniDocument* ini, const FontKeys& font) {
  ini->Set(kSection, "FontFace", font.face);
  ini->Set(kSection, "FontHeight", std::to_string(font.height));
  ini->Set(kSection, "FontWidth", std::to_string(font.width));
  ini->Set(kSection, "FontWeight", std::to_string(font.weight));
  ini->Set(kSection, "FontItalic", std::to_string(static_cast<unsigned>(font.italic)));
}

}  // namespace pinlark
