// The five font keys of the settings file, which describe the one font of all memos.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/ansi_text.h"
#include "app/ini_document.h"

namespace pinlark {

inline constexpr std::size_t kFaceNameMax = 31;  // bytes; the face buffer holds 32 with its NUL

struct FontKeys {
  std::string face;
  int32_t height = 14;
  int32_t width = 14;
  int32_t weight = 400;
  uint8_t italic = 0;
};

// The stored memo font, or nothing when FontFace is missing or "System" in any case: then the
// memos use the system font and the other four keys are not read.
std::optional<FontKeys> ReadFontKeys(const IniDocument& ini, LeadBytePredicate isLead = IsCp932LeadByte);

// FontFace, FontHeight, FontWidth, FontWeight, FontItalic, in this order.
void WriteFontKeys(IniDocument* ini, const FontKeys& font);

}  // namespace pinlark
