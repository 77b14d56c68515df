// Where the settings file lives: beside the program, named like it.
#pragma once

#include <string>
#include <string_view>

#include "app/ansi_text.h"

namespace pinlark {

// The program's path with its last three bytes replaced by "ini" (C:\Tools\memo.exe gives
// C:\Tools\memo.ini; the extension is not examined, and C:\Tools\a.b gives C:\Tools\ini). A
// double-byte character in those three bytes is replaced whole. Empty when the program's name
// is shorter than three bytes, so that no settings file is used rather than one in another folder.
std::string SettingsPathForProgram(std::string_view programPath, LeadBytePredicate isLead = IsCp932LeadByte);

// The folder part of a path, with its final backslash ("C:\Tools\" for C:\Tools\memo.exe);
// empty when the path has no folder. The second byte of a double-byte character is never
// taken for a backslash.
std::string FolderOfPath(std::string_view path, LeadBytePredicate isLead = IsCp932LeadByte);

}  // namespace pinlark
