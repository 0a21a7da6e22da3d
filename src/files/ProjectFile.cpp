// Project files: the keys that name a project's members.
#include "files/ProjectFile.h"

#include <array>

#include "files/LineEnds.h"

namespace kv::files {

namespace {

struct MemberKey {
  VbStringView key;
  vbide::ComponentType type;
  bool named;  // "Name; path"
};

constexpr std::array kMemberKeys = {
    MemberKey{u"Module", vbide::ComponentType::StdModule, true},
    MemberKey{u"Class", vbide::ComponentType::ClassModule, true},
    MemberKey{u"Form", vbide::ComponentType::VBForm, false},
    MemberKey{u"UserControl", vbide::ComponentType::UserControl, false},
    MemberKey{u"PropertyPage", vbide::ComponentType::PropPage, false},
    MemberKey{u"UserDocument", vbide::ComponentType::DocObject, false},
    MemberKey{u"Designer", vbide::ComponentType::ActiveXDesigner, false},
    MemberKey{u"RelatedDoc", vbide::ComponentType::RelatedDocument, false},
    MemberKey{u"ResFile32", vbide::ComponentType::ResFile, false},
};

VbStringView Unquote(VbStringView s) {
  s = TrimView(s);
  if (s.size() >= 2 && s.front() == u'"' && s.back() == u'"') s = s.substr(1, s.size() - 2);
  return s;
}

}  // namespace

ProjectFile ParseProjectFile(VbStringView text) {
  ProjectFile project;
  SplitText split = SplitLines(text);
  for (std::size_t i = 0; i < split.lines.size(); ++i) {
    VbStringView line = TrimView(split.lines[i]);
    if (!line.empty() && line.front() == u'[') break;  // the sections of add-ins and tools
    std::size_t eq = line.find(u'=');
    if (eq == VbStringView::npos) continue;
    VbStringView key = TrimView(line.substr(0, eq));
    VbStringView value = line.substr(eq + 1);
    if (EqualsNoCase(key, u"Name")) {
      project.name = VbString(Unquote(value));
      continue;
    }
    for (const MemberKey& k : kMemberKeys) {
      if (!EqualsNoCase(key, k.key)) continue;
      ProjectMember m;
      m.type = k.type;
      m.line = i + 1;
      std::size_t semi = k.named ? value.find(u';') : VbStringView::npos;
      if (semi != VbStringView::npos) {
        m.name = VbString(TrimView(value.substr(0, semi)));
        value = value.substr(semi + 1);
      }
      m.path = VbString(Unquote(value));
      if (!m.path.empty()) project.members.push_back(std::move(m));
      break;
    }
  }
  return project;
}

}  // namespace kv::files
