// Fuzz target: fold, unfold and unfold all.
//
// Input: one byte choosing what runs (fold then unfold of its marker, unfold
// at the caret, unfold all, fold then unfold all), two bytes for the caret's
// line, then the module as UTF-8.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "Invariants.h"
#include "Targets.h"
#include "organize/modOrganize.h"

namespace kv::fuzz {

namespace {

enum class Plan { FoldThenUnfold, Unfold, UnfoldAll, FoldThenUnfoldAll };

// Runs a command at the caret line; returns whether it ran without an error.
bool RunAt(Ide& ide, model::ModelCodePane& pane, std::int16_t n, std::int32_t line) {
  pane.Select({line, 1, line, 1});
  return s_RunCommand(ide.g, n);
}

}  // namespace

void FuzzFolding(std::string_view data) {
  FuzzInput in(data);
  const auto plan = static_cast<Plan>(in.Byte() % 4);
  const unsigned caretBits = in.Byte() | (in.Byte() << 8);
  const std::vector<VbString> lines = ModuleLines(in.Rest());
  const std::vector<VbString> prepared = PreparedModule(lines);
  const auto count = static_cast<std::int32_t>(std::max<std::size_t>(lines.size(), 1));
  const std::int32_t caret = 1 + static_cast<std::int32_t>(caretBits % static_cast<unsigned>(count));

  const std::filesystem::path settingsFile = SettingsFileForInput();
  WriteSettingsFile(settingsFile, {});
  Ide ide(settingsFile);
  model::ModelCodePane& pane = ide.Open(lines, {caret, 1, caret, 1});

  if (plan == Plan::Unfold || plan == Plan::UnfoldAll) {
    const bool all = plan == Plan::UnfoldAll;
    if (!RunAt(ide, pane, all ? cmd::kUnfoldAll : cmd::kUnfold, caret)) Fail("unfold failed");
    CheckUnfold(prepared, ide.Lines(), all);
    return;
  }

  // A caret outside a Sub or Function is an error of the IDE's, reported
  // before anything changed.
  const bool folded = RunAt(ide, pane, cmd::kFold, caret);
  const std::vector<VbString> after = ide.Lines();
  if (!folded) return ExpectSameLines(prepared, after, "a refused fold");
  CheckFold(prepared, after);
  const std::vector<VbString> canon = CanonLines(after);
  if (canon == CanonLines(prepared)) return;

  std::size_t marker = 0;
  while (marker < prepared.size() && Canon(prepared[marker]) == canon[marker]) ++marker;
  if (!IsMarker(after.at(marker))) Fail("fold put no marker where the procedure stood: " + Show(after));

  if (plan == Plan::FoldThenUnfold) {
    if (!RunAt(ide, pane, cmd::kUnfold, static_cast<std::int32_t>(marker) + 1)) Fail("unfolding the new marker failed");
    ExpectSameLines(prepared, DropTrailingBlankLines(ide.Lines()), "fold then unfold");
    return;
  }
  if (!RunAt(ide, pane, cmd::kUnfoldAll, caret)) Fail("unfold all after a fold failed");
  const std::vector<VbString> restored = ide.Lines();
  CheckUnfold(after, restored, true);
  bool otherMarkers = false;
  for (const VbString& line : prepared) otherMarkers = otherMarkers || IsMarker(line);
  if (!otherMarkers) ExpectSameLines(prepared, restored, "fold then unfold all");
}

}  // namespace kv::fuzz
