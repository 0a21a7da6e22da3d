// Find Words to Previous (command 9) and Find Words to All (command 10).
//
// The word is the selection when it lies on one line and is a name; otherwise
// the VB name around the caret (letters, digits, "_" and characters beyond
// ASCII). Occurrences are whole names, in any letter case, in code: string
// literals and comments are skipped.
#pragma once

#include <vector>

#include "organize/modOrganize.h"

namespace kv {

struct WordHit {
  std::int32_t line;    // 1-based
  std::int32_t column;  // 1-based
};

// Every occurrence of `word` in the module text, top to bottom.
std::vector<WordHit> f_FindWord(VbStringView text, VbStringView word);
// The name at (or just before) the 1-based column of the line; empty when none.
VbString f_WordAt(VbStringView line, std::int32_t column);

// 9: selects the previous occurrence in the current module, wrapping from the
// top to the end.
void s_FindPrevious(CommandContext& ctx);
// 10: lists every occurrence in the code modules of the current project in
// Globals::foundWords.
void s_FindAll(CommandContext& ctx);
// Choosing one of those results: the module's code pane becomes the active
// one with the word selected. False when the module is no longer there.
bool s_ShowFoundWord(Globals& g, const FoundWord& hit);

}  // namespace kv
