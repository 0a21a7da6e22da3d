// The bodies of the fuzz targets, callable with or without libFuzzer: each
// takes one input, runs the code under test on it and checks the invariants
// of Invariants.h, throwing Violation when one does not hold. FuzzMain.cpp
// wraps one of them for libFuzzer; the regression test replays the inputs
// kept under fuzz/regressions/ through them.
#pragma once

#include <string_view>

namespace kv::fuzz {

// The indentation routine and its classifier over a module in the model IDE,
// with fuzzed options, flags left by an earlier run, a range or a command.
void FuzzIndent(std::string_view input);
// The whole-module and caret commands (3, 4, 20, 21, 22, 2, 5, 6, 7, 8, 28,
// 29), up to three in a row, each with its own caret, and custom text.
void FuzzCommands(std::string_view input);
// Fold, unfold and unfold all with a fuzzed caret.
void FuzzFolding(std::string_view input);
// A module file's bytes -> the model -> bytes, for each file kind and code
// page, untouched and after a command.
void FuzzFiles(std::string_view input);
// The settings file reader, and writes into whatever file it finds.
void FuzzSettings(std::string_view input);

}  // namespace kv::fuzz
