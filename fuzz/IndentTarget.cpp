// Fuzz target: the classifier and the indentation routine.
//
// Input: two bytes of flag options (two bits each: IndentProc, IndentFirst,
// IndentCmt, IndentCase, AlignEOL), one byte each for the stored texts of
// IndentSpaces and AlignEOLCol, one byte choosing the flags an earlier run
// left and how the routine runs, two bytes for a range or a caret line, then
// the module as UTF-8.
//
// The routine runs over a range of lines (s_IndentLines), or as Indent Module
// or Indent Procedure through the dispatcher. Then, with the same flags to
// start from, once more over its own output, which must not change.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "Invariants.h"
#include "Targets.h"
#include "indent/modIndentRoutine.h"
#include "organize/modOrganize.h"

namespace kv::fuzz {

namespace {

enum class Road { Range, Module, Procedure };

}  // namespace

void FuzzIndent(std::string_view data) {
  FuzzInput in(data);
  const unsigned flagBits = in.Byte() | (in.Byte() << 8);
  const VbString spaces = CountText(in.Byte());
  const VbString column = CountText(in.Byte());
  const std::uint8_t how = in.Byte();
  const std::uint8_t from = in.Byte(), to = in.Byte();
  const std::vector<VbString> lines = ModuleLines(in.Rest());

  const std::filesystem::path settingsFile = SettingsFileForInput();
  WriteSettingsFile(settingsFile, {{u"IndentProc", FlagText(flagBits)},
                                   {u"IndentFirst", FlagText(flagBits >> 2)},
                                   {u"IndentCmt", FlagText(flagBits >> 4)},
                                   {u"IndentCase", FlagText(flagBits >> 6)},
                                   {u"AlignEOL", FlagText(flagBits >> 8)},
                                   {u"IndentSpaces", spaces},
                                   {u"AlignEOLCol", column}});
  const IndentFlags flags{(how & 1) != 0, (how & 2) != 0, (how & 4) != 0};
  const Road road = static_cast<Road>((how >> 3) % 3);

  const auto count = static_cast<std::int32_t>(lines.size());
  std::int32_t first = 1, last = count;
  if (road == Road::Range && count > 0) {
    first = 1 + from % count;
    last = first + to % (count - first + 1);
  }
  const std::int32_t caretLine = count > 0 ? 1 + from % count : 1;

  Ide ide(settingsFile);
  model::ModelCodePane& pane = ide.Open(lines, {caretLine, 1, caretLine, 1});
  const auto run = [&] {
    ide.g.indentFlags = flags;
    if (road == Road::Range) {
      s_IndentLines(ide.g, pane.Module(), u"Module1", first, last, 0);
    } else if (!s_RunCommand(ide.g, road == Road::Module ? cmd::kIndentModule : cmd::kIndentProcedure)) {
      Fail("the indent command failed: " + VbToUtf8(ide.platform.MessageBoxes().back().text));
    }
    return ide.Lines();
  };

  const std::vector<VbString> once = run();
  if (road == Road::Range) {
    // Lines outside the range are never written.
    std::vector<VbString> inside;
    std::vector<VbString> indented;
    for (std::int32_t i = 0; i < count; ++i) {
      if (i + 1 >= first && i + 1 <= last) {
        inside.push_back(lines[i]);
        indented.push_back(once.at(i));
      } else if (once.size() != lines.size() || once[i] != lines[i]) {
        Fail("indenting lines " + std::to_string(first) + " to " + std::to_string(last) + " changed line " +
             std::to_string(i + 1));
      }
    }
    CheckIndentKeepsText(inside, indented);
  } else {
    // The dispatcher drops the blank lines at the end first; a module of
    // blank lines, or Indent Procedure, leaves lines unwritten.
    CheckIndentKeepsText(PreparedModule(lines), once, false);
  }

  // Through the dispatcher the blank lines at the end go before the lines
  // are indented: lines of tabs there come out empty, and only the next
  // command drops them.
  const std::vector<VbString> expected = road == Road::Range ? once : PreparedModule(once);
  const std::vector<VbString> twice = run();
  if (twice.size() != expected.size()) Fail("indenting again changed the line count");
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ExpectLine(expected[i], twice[i], i, "indenting again changed the output");
  }
}

}  // namespace kv::fuzz
