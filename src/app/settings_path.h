// Where the settings file lives: beside the program, named like it.
#pragma once

#include <string>
#include <string_view>

namespace pinlark {

// The program's path with its last three characters replaced by "ini" (C:\Tools\memo.exe gives
// C:\Tools\memo.ini; the extension is not examined). Empty when the path is too short to have
// a name, so that no settings file is used rather than a wrong one.
std::string SettingsPathForProgram(std::string_view programPath);

// The folder part of a path, with its final backslash ("C:\Tools\" for C:\Tools\memo.exe);
// empty when the path has no folder.
std::string FolderOfPath(std::string_view path);

}  // namespace pinlark
