#include "app/app_settings.h"

#include <cctype>
#include <cstdio>

#include "app/texts.h"

namespace pinlark {
namespace {

constexpr std::string_view kSection = text::kSettingsSection;

// The integer keys in the order the closing sequence writes them.
struct IntKey {
  const char* name;
  int32_t AppSettings::*field;
};
constexpr IntKey kLeadingIntKeys[] = {
    {"MinColumn", &AppSettings::minColumn},
    {"cxMergin", &AppSettings::cxMergin},
    {"cyMergin", &AppSettings::cyMergin},
    {"cyInterval", &AppSettings::cyInterval},
};
constexpr IntKey kTrailingIntKeys[] = {
    {"CRMode", &AppSettings::crMode},       {"3DMode", &AppSettings::threeDMode},
    {"Move", &AppSettings::move},           {"Hide", &AppSettings::hide},
    {"AutoArrange", &AppSettings::autoArrange}, {"AccelClose", &AppSettings::accelClose},
    {"AbbandConf", &AppSettings::abbandConf},   {"IMEOpen", &AppSettings::imeOpen},
};

std::string Decimal(int32_t value) { return std::to_string(value); }

}  // namespace

std::optional<uint32_t> ParseHex32(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const auto isHex = [&](std::size_t at) {
    return at < text.size() && std::isxdigit(static_cast<unsigned char>(text[at]));
  };
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') && isHex(i + 2)) i += 2;
  uint32_t value = 0;
  bool any = false;
  for (; isHex(i); ++i) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    value = value * 16u + static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    any = true;
  }
  if (!any) return std::nullopt;
  return negative ? 0u - value : value;
}

std::string FormatHex32(uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%x", value);
  return buffer;
}

void ReadAppSettings(const IniDocument& ini, AppSettings* s, LeadBytePredicate isLead) {
  for (const IntKey& key : kLeadingIntKeys) s->*key.field = ini.GetInt(kSection, key.name, s->*key.field);
  s->cxMergin = kMerginBounds.Nearest(s->cxMergin);
  s->cyMergin = kMerginBounds.Nearest(s->cyMergin);
  s->cyInterval = kIntervalBounds.Nearest(s->cyInterval);
  const std::string color = CutAtCharBoundary(ini.GetString(kSection, "DefaultColor", "80ffff"), 31, isLead);
  if (const auto parsed = ParseHex32(color)) s->defaultColor = static_cast<int32_t>(*parsed);
  for (const IntKey& key : kTrailingIntKeys) {
    if (key.field == &AppSettings::move) continue;  // read after the memos are loaded
    s->*key.field = ini.GetInt(kSection, key.name, s->*key.field);
  }
  s->officeBar = ini.GetInt(kSection, "OfficeBar", s->officeBar);
  s->alarmFname = CutAtCharBoundary(ini.GetString(kSection, "AlarmFname", ""), kAlarmFnameMax, isLead);
}

void WriteAppSettings(IniDocument* ini, const AppSettings& s) {
  for (const IntKey& key : kLeadingIntKeys) ini->Set(kSection, key.name, Decimal(s.*key.field));
  ini->Set(kSection, "DefaultColor", FormatHex32(static_cast<uint32_t>(s.defaultColor)));
  for (const IntKey& key : kTrailingIntKeys) ini->Set(kSection, key.name, Decimal(s.*key.field));
  ini->Set(kSection, "AlarmFname", s.alarmFname);
}

}  // namespace pinlark
