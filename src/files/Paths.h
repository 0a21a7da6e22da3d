// Paths as Windows wrote them, and the file kinds known by their extension.
//
// A .vbp names its members with backslashes and Windows' case-insensitive
// names (`Module=modMain; Src\modMain.bas`). A project checked out on Linux
// still loads: backslashes become slashes, and where the exact path does not
// exist each component is looked up in its folder without regard to the
// letter case of ASCII letters. Extensions match without regard to case too
// (`.BAS`, `.Frm`).
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "host/VBIDE.h"

namespace kv::files {

// The existing file or folder that `windowsPath` names, relative to `base`
// when it is relative; nothing when there is none (or the path has a drive
// letter).
std::optional<std::filesystem::path> ResolveWindowsPath(const std::filesystem::path& base,
                                                         std::string_view windowsPath);

// The component kind of a module file by its extension (.bas, .cls, .frm,
// .ctl, .pag, .dob, .dsr in any letter case); nothing for other files.
std::optional<vbide::ComponentType> ModuleTypeOf(const std::filesystem::path& file);
inline bool IsModuleFile(const std::filesystem::path& file) { return ModuleTypeOf(file).has_value(); }
// Whether the file is a project file (.vbp in any letter case).
bool IsProjectFile(const std::filesystem::path& file);
// Whether the file is any file of a VB project: a module or project file, a
// project group, a workspace or a module's binary companion (.frx...).
bool IsVbFile(const std::filesystem::path& file);

}  // namespace kv::files
