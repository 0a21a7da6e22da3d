// Adding (command 23) and deleting (command 24) line numbers in the current
// module.
//
// Numbers go in front of every line of a procedure's body that begins a
// statement and has no number or label yet, running from the options
// LineNumberStart by LineNumberStep in each procedure and skipping the numbers
// it already uses. The number stands at the margin and the statement keeps its
// column when the indentation is wider than the number (one blank after it
// otherwise). Deleting turns each number's characters into blanks, so the
// statement keeps its column, and keeps the numbers that a GoTo, GoSub,
// Resume, On ... GoTo or a Then/Else jump refers to. Labels are never touched.
#pragma once

#include <cstdint>
#include <vector>

#include "organize/modOrganize.h"

namespace kv {

// The largest line number Erl can report.
inline constexpr std::int32_t kLargestLineNumber = 65529;

struct LineNumbering {
  VbString text;
  std::vector<VbString> tooLong;  // procedures left unnumbered: past kLargestLineNumber
};
LineNumbering f_AddLineNumbers(VbStringView text, std::int32_t start, std::int32_t step);

struct LineNumberRemoval {
  VbString text;
  std::int32_t kept = 0;  // numbers left because a statement refers to them
};
LineNumberRemoval f_DeleteLineNumbers(VbStringView text);

// The options, each kept within 1 to 10000 (default 10).
std::int32_t ReadLineNumberOption(Globals& g, VbStringView key);

void s_AddLineNumbers(CommandContext& ctx);     // command 23
void s_DeleteLineNumbers(CommandContext& ctx);  // command 24

}  // namespace kv
