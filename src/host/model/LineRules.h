// How the IDE's editor turns text into stored lines.
//
// A text becomes lines by splitting it at CR LF, where a final CR LF ends the
// last line instead of starting an empty one. When the editor stores a line
// typed or pasted into it, it keeps labels and line numbers at the left
// margin: a line whose first statement is a label ("Retry:") or a line number
// ("100 x = 1") loses its leading white space. Lines read from a file are
// stored as they are; those never pass through these rules.
#pragma once

#include <vector>

#include "support/text/VbText.h"

namespace kv::model {

// The lines of a text: "A\r\nB\r\n" and "A\r\nB" give A and B, "\r\n" gives
// one empty line, the empty text none. The views point into `text`.
std::vector<VbStringView> SplitModuleText(VbStringView text);

// Whether the line's statement goes on in the next line: the line, without its
// surrounding blanks, ends with " _". This holds for comments as well.
bool ContinuesOnNextLine(VbStringView line);

// Whether the first statement of the line is a label or a line number. A
// label is a name (a letter, then letters, digits, underscores) directly
// followed by a colon, other than the statements that stand alone (Beep,
// Close, Do, Else, End, Loop, Next, Randomize, Rem, Reset, Resume, Return,
// Stop, Wend); a line number is a run of digits followed by a blank, a tab, a
// colon or the end of the line. Leading blanks and tabs are skipped.
bool StartsWithLabelOrLineNumber(VbStringView line);

// The line as the editor stores it. `previous` is the line that will stand
// before it (nullptr at the top): when that line ends with " _", this one goes
// on with an earlier statement, starts none, and is stored as it is.
VbStringView AtMargin(VbStringView line, const VbStringView* previous);
inline VbStringView AtMargin(VbStringView line, const VbString* previous) {
  VbStringView before = previous ? VbStringView(*previous) : VbStringView();
  return AtMargin(line, previous ? &before : nullptr);
}

}  // namespace kv::model
