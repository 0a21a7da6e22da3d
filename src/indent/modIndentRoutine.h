// The indentation routine: re-indents a range of lines of one code module in
// place.
//
// For each line it works out the block depth from the statements seen so far,
// replaces the old leading white space by the right number of blanks, places
// an end-of-line comment (at a fixed column, or one indentation unit after the
// code), indents whole-line comments by their own rules, prints lines that
// continue a statement two levels deeper, lines the continuation lines of a
// comment up under the comment's text, and writes the line back. Every line of
// the range is written back, changed or not, except one whose text cannot be
// read, which is left as it is.
#pragma once

#include <cstdint>

#include "host/VBIDE.h"
#include "support/text/VbText.h"

namespace kv {

class Globals;

// Re-indents lines startLine..endLine (1-based, inclusive; nothing when
// endLine < startLine) of `module`. Reads the options from the settings store
// first. `name` goes into the progress message; `progressOffset` is the number
// of lines earlier runs of the same command have done. The caller has shown the
// progress window and set its Min and Max. Host failures skip only the step
// they belong to.
void s_IndentLines(Globals& g, vbide::CodeModule& module, VbStringView name, std::int32_t startLine,
                   std::int32_t endLine, std::int32_t progressOffset);

}  // namespace kv
