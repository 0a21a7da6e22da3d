// Line ends: a file's text <-> its lines.
//
// Each file keeps its own line ends: CR LF or LF, and its final line end or
// the lack of one. A line end is LF, with the CR before it when there is one;
// a lone CR is part of its line, as the IDE keeps it. A final line end
// terminates the last line rather than starting an empty one, so "A\r\nB\r\n"
// and "A\r\nB" both hold the lines A and B, and the empty text holds none.
//
// A file that mixes both kinds keeps each line's own end as long as its line
// count stays the same; when a command adds or removes lines, every line gets
// the kind the file uses most.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/text/VbText.h"

namespace kv::files {

struct LineEnds {
  bool crlf = true;          // the kind most lines end with (CR LF when none ends)
  bool finalLineEnd = true;  // whether the last line has a line end
  std::size_t lineCount = 0;
  // The lines whose end is not the usual kind, in order (usually none).
  std::vector<std::size_t> exceptions;
};

struct SplitText {
  std::vector<VbStringView> lines;  // views into the text
  LineEnds ends;
};

SplitText SplitLines(VbStringView text);

// Writes lines with line ends: appends one line's end to `out` after line
// `index` of `count` lines (nothing after the last when the file had no final
// line end).
class LineEndWriter {
 public:
  LineEndWriter(const LineEnds& ends, std::size_t count);
  // The end of line `index` (0-based), as UTF-16 text; empty after the last
  // line of a file without a final line end.
  VbStringView EndOf(std::size_t index);

 private:
  const LineEnds& ends_;
  std::size_t count_;
  bool keepExceptions_;
  std::size_t next_ = 0;  // next exception to look at
};

}  // namespace kv::files
