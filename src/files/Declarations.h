// What a statement of VB code declares: a procedure, an event or variables.
//
// The hidden Attribute lines of a module stand under such statements (a
// procedure head, an Event, a variable declaration such as `Private WithEvents
// m_Conn As Connection`) and belong to the member it declares. When a command
// moves the statement, the attributes are found their place again by the
// member's name and kind.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "support/text/VbText.h"

namespace kv::files {

enum class MemberKind { Procedure, PropertyLet, PropertySet, PropertyGet, Event, Variable };

struct Declaration {
  MemberKind kind = MemberKind::Procedure;
  std::vector<VbString> names;  // as written, without type suffix or brackets
  std::size_t lastLine = 0;     // the statement's last line (it may be continued)

  bool Declares(VbStringView name) const;
};

// Lines of code by 0-based index.
using LineAt = std::function<VbStringView(std::size_t)>;

// The statement that begins at line `first` of `count` lines, continued over
// the lines that end in " _". Nothing when it declares no member.
std::optional<Declaration> ParseDeclaration(const LineAt& line, std::size_t count, std::size_t first);

// The member name of an Attribute line (`Attribute Value.VB_UserMemId = 0`
// gives "Value"); empty for a module attribute (`Attribute VB_Name = "M"`).
// Nothing when the line is not an Attribute line at all.
std::optional<VbString> AttributeMember(VbStringView line);

// Whether the line continues on the next one (it ends in " _", trailing
// blanks aside).
bool ContinuesLine(VbStringView line);

}  // namespace kv::files
