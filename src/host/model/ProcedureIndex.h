// The procedures of a code module as the IDE sees them.
//
// A head is a statement that begins, after leading blanks and tabs and without
// regard to letter case, with an optional Public/Private/Friend, an optional
// Static, then Sub, Function or Property Get/Let/Set and a name (a Declare is
// not a head). A procedure ends at the next End Sub/End Function/End Property;
// a head without one ends before the next head. The same head again (same
// name and kind) before that End line is the other branch of an #If block,
// not a new procedure. Statements are read whole: a line that follows one
// ending in " _" continues it, be it code or a comment, and starts nothing.
//
// Ownership: the declarations section runs up to the last line before the
// first head that is neither blank nor a comment; each procedure owns the
// lines after the previous one's last line (the first: after the
// declarations) up to its End line, and the last procedure also every line
// after its End line.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/VBIDE.h"
#include "host/model/LineStore.h"

namespace kv::model {

struct ProcedureHead {
  VbString name;
  vbide::ProcKind kind = vbide::ProcKind::Proc;
};

// The head a statement opens, if it is one.
std::optional<ProcedureHead> ParseProcedureHead(VbStringView statement);
// Whether the statement is an End Sub, End Function or End Property.
bool IsProcedureEnd(VbStringView statement);
// Whether the line holds only blanks and tabs, or a comment (' or Rem).
bool IsBlankOrComment(VbStringView line);

struct Procedure {
  VbString name;
  vbide::ProcKind kind = vbide::ProcKind::Proc;
  std::int32_t head = 0;   // the line of its head
  std::int32_t first = 0;  // the first line it owns
  std::int32_t last = 0;   // the last line it owns
};

class ProcedureIndex {
 public:
  static ProcedureIndex Scan(const LineStore& lines);

  std::int32_t DeclarationLines() const { return declarationLines_; }
  const std::vector<Procedure>& Procedures() const { return procedures_; }
  // The procedure that owns a line of the module; nullptr in the declarations.
  const Procedure* Owner(std::int32_t line) const;
  // The first procedure of that name (any letter case) and kind, or nullptr.
  const Procedure* Find(VbStringView name, vbide::ProcKind kind) const;

 private:
  std::int32_t declarationLines_ = 0;
  std::vector<Procedure> procedures_;
};

}  // namespace kv::model
