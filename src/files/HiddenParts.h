// The hidden parts of a module file: what the file holds but the IDE's code
// window does not show.
//
// They are the VERSION line, the Object= lines, the BEGIN...END block of a
// class and the Begin...End blocks of forms and controls, the Attribute lines
// at the top (the header), and every Attribute line in the code, which stands
// under a procedure head, an Event or a variable declaration, after the last
// line of a continued statement. They are kept aside while commands work on
// the code and written back exactly where they were: the header on top, each
// group of Attribute lines under the statement it followed, found again by
// the member's name and kind when a command moved that statement (a fold).
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <vector>

#include "files/Declarations.h"
#include "host/model/LineStore.h"
#include "support/text/VbText.h"

namespace kv::files {

// A file whose hidden parts cannot be read or put back; the message says why.
class HiddenPartsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Attribute lines that stood together under one statement of the code.
struct AttributeGroup {
  std::vector<VbString> lines;
  std::size_t statementFirst = 0;  // the statement's first and last code line
  std::size_t after = 0;           // (0-based, in the code without attributes)
  // The member the statement declares and this group belongs to; without one
  // the group is found again by the trimmed text of the line it followed.
  std::optional<MemberKind> kind;
  VbString member;
  std::size_t occurrence = 0;  // which of the statements declaring the member
  VbString anchorText;
};

struct HiddenParts {
  model::LineStore header;  // stored densely: a form's header may hold hundreds of lines
  std::vector<AttributeGroup> attributes;
  VbString vbName;  // the value of `Attribute VB_Name`, empty when absent
  bool mdiForm = false;  // the header's block is a Begin VB.MDIForm
};

struct SplitModule {
  HiddenParts hidden;
  std::vector<VbStringView> code;  // views into the lines given
};

// Takes the hidden parts out of a module file's lines. Throws HiddenPartsError
// for a header block without its End.
SplitModule SplitHiddenParts(const std::vector<VbStringView>& lines);

// The file's lines again: the header, then the code with each group of
// Attribute lines under its statement. Throws HiddenPartsError when the
// statement of a group is gone.
std::vector<VbStringView> AssembleModule(const HiddenParts& hidden, const std::vector<VbStringView>& code);

}  // namespace kv::files
