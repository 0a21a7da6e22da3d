// Project files (.vbp): the list of a project's members.
//
// A .vbp is a list of `Key=Value` lines before its first [section]. The
// members are `Module=Name; path`, `Class=Name; path`, `Form=path`,
// `UserControl=path`, `PropertyPage=path`, `UserDocument=path`,
// `Designer=path`, `RelatedDoc=path` and `ResFile32="path"`; `Name="..."` names
// the project. Paths are as Windows wrote them (backslashes, any letter case),
// relative to the .vbp's folder.
#pragma once

#include <string>
#include <vector>

#include "host/VBIDE.h"
#include "support/text/VbText.h"

namespace kv::files {

struct ProjectMember {
  vbide::ComponentType type = vbide::ComponentType::StdModule;
  VbString name;  // for Module= and Class=; empty for the others
  VbString path;  // as written, quotes removed
  std::size_t line = 0;  // 1-based line of the .vbp, for messages
};

struct ProjectFile {
  VbString name;  // Name=, quotes removed; empty when absent
  std::vector<ProjectMember> members;  // in the file's order
};

// Reads the text of a .vbp.
ProjectFile ParseProjectFile(VbStringView text);

}  // namespace kv::files
