// Procedure folding: a fold moves the procedure at the caret to the end of the
// module and leaves a one-line marker comment in its place; unfold puts it
// back where the marker stands.
//
// The marker is the only record of a fold: the prefix below followed by the
// procedure's header line as it stood. Unfold finds the moved procedure by
// that header text, compared with each line with the leading white space and
// trailing blanks of both removed, and takes it from its header down to its
// first End Sub or End Function line. Whenever a fold could not be undone or
// an unfold finds nothing to put back, the module stays exactly as it was.
#pragma once

#include <cstdint>
#include <optional>

#include "organize/TextCommands.h"
#include "organize/modOrganize.h"

namespace kv {

void s_FoldProcedure(CommandContext& ctx);    // command 25
void s_UnfoldProcedure(CommandContext& ctx);  // command 26
void s_UnfoldAll(CommandContext& ctx);        // command 27

// The marker prefix, written at column 1 in front of the folded header.
inline constexpr VbStringView kFoldMarker = u"'[+]<kv_unflod:^+) ";

// 1 for a header of the forms Private Sub, Private Function, Public Sub,
// Public Function; 2 for End Sub or End Function; 0 for anything else. The
// two words stand after leading blanks or tabs, one blank or tab between
// them, and the second ends the line or is followed by a blank, a tab, a colon
// or a comment.
int f_LineKind(VbStringView line);
// Whether the line, without leading blanks and tabs and trailing blanks,
// begins with `text`; letter case counts.
bool f_StartsWith(VbStringView line, VbStringView text);
// Whether the line is a fold marker (the prefix after leading white space).
bool f_IsFoldMarker(VbStringView line);

// The module text with the procedure whose IDE block is the lines first..last
// (from 1) folded; empty when that procedure cannot be folded so that unfold
// gives it back: no header of the four forms, no End line, a head inside an
// open #If block, a head declared twice (or another header of the same text
// anywhere in the module), or #If lines that do not pair up between head and
// End line.
std::optional<VbString> f_FoldText(VbStringView moduleText, std::int32_t first, std::int32_t last,
                                   const LineStep& step = nullptr);

// Replaces the marker at line `lineNumber` (from 1) of the module text by the
// procedure it names. `line` is the marker line; on success it is left holding
// the header and the module text is rebuilt (each line followed by CR LF).
// Returns false, changing nothing, when the line is not a marker or no moved
// procedure matches it.
bool s_Unfold(VbString& line, VbString& moduleText, std::int32_t lineNumber);

// The module text with every marker unfolded in one walk from the top (the
// module's last line is examined only after an unfold); empty when nothing
// was unfolded. The result has no trailing blank lines.
std::optional<VbString> f_UnfoldAllText(VbStringView moduleText);

}  // namespace kv
