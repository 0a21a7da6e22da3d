// The indentation options, as each run of the indentation routine reads them
// from the settings store.
#pragma once

#include <cstdint>

namespace kv {

class SettingsStore;

struct IndentOptions {
  std::int16_t IndentSpaces = 4;  // blanks per level, 0 to 10
  bool IndentProc = true;         // procedure bodies and Type/Enum members one level in
  bool IndentFirst = true;        // the comment block under a procedure head indented like other comments
  bool IndentCmt = true;          // whole-line comments at the code's depth
  bool IndentCase = true;         // Case lines one level inside their Select Case
  bool AlignEOL = true;           // end-of-line comments start at AlignEOLCol
  std::int16_t AlignEOLCol = 55;  // 0 to 100
};

inline constexpr std::int16_t kMaxIndentSpaces = 10;
inline constexpr std::int16_t kMaxAlignEOLCol = 100;

// Reads "IndentProc", "IndentCmt", "IndentCase", "IndentFirst", "AlignEOL",
// "AlignEOLCol" and "IndentSpaces", in that order. A failing read keeps that
// option's default. The counts are clamped to the ranges the options window
// allows, so a hand-edited store can never make a line lose or repeat text.
IndentOptions ReadIndentOptions(SettingsStore& settings);

}  // namespace kv
