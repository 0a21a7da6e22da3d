// Fuzz target: the whole-module commands (3, 4, 13, 20, 21, 22, 23, 24), the
// caret commands (2, 5, 6, 7, 8, 28, 29) and the edition code (30, 31).
//
// Input: one byte for how many commands run (one to three), then five bytes
// per command (which command, and the caret's start line, end line, start
// column and end column, each taken modulo what the module allows), then the
// custom text up to a line feed ("|" stands for CR LF; an empty line leaves
// the setting absent, "~" stores it empty), then the module as UTF-8.
//
// Each command runs as a click starts it, on the module the one before left,
// and what it did is checked against the module it found.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "Invariants.h"
#include "Targets.h"
#include "indent/LineLabels.h"
#include "organize/LineNumbers.h"
#include "organize/ProCode.h"
#include "organize/modOrganize.h"

namespace kv::fuzz {

namespace {

constexpr std::array<std::int16_t, 17> kCommands = {
    cmd::kDeleteBlankLines, cmd::kMergeBlankLines,    cmd::kChineseToEnglish, cmd::kPrivateToPublic,
    cmd::kPublicToPrivate,  cmd::kInsertCustomText,   cmd::kAddPrivateSub,    cmd::kAddPrivateFunction,
    cmd::kCommentBlock,     cmd::kUncommentBlock,     cmd::kAddChkProEnd,     cmd::kAddProLabels,
    cmd::kTrimSpaces,       cmd::kAddLineNumbers,     cmd::kDeleteLineNumbers, cmd::kCommentProCode,
    cmd::kUncommentProCode};

struct Step {
  std::int16_t command;
  std::uint8_t bytes[4];
};

// A caret the IDE could show on these lines: lines from 1 to the last, the
// start not after the end, columns up to a little past the line's end.
Selection CaretOn(const std::vector<VbString>& lines, const std::uint8_t (&b)[4]) {
  const auto count = std::max<std::int32_t>(1, static_cast<std::int32_t>(lines.size()));
  const std::int32_t start = 1 + b[0] % count;
  const std::int32_t end = start + b[1] % (count - start + 1);
  const auto width = [&](std::int32_t line) {
    return static_cast<std::int32_t>(line <= static_cast<std::int32_t>(lines.size()) ? lines[line - 1].size() : 0) + 3;
  };
  return {start, 1 + b[2] % width(start), end, 1 + b[3] % width(end)};
}

std::size_t LeadingBlanks(VbStringView text) {
  std::size_t n = 0;
  while (n < text.size() && text[n] == kBlank) ++n;
  return n;
}

// The lines with lines `at`..`at`+`count`-1 (from 0) replaced by the lines of
// `text` as the editor splits it.
std::vector<VbString> Spliced(const std::vector<VbString>& lines, std::size_t at, std::size_t count, VbStringView text) {
  std::vector<VbString> out(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(at));
  std::vector<VbStringView> added = model::SplitModuleText(text);
  if (added.empty()) added.emplace_back();
  out.insert(out.end(), added.begin(), added.end());
  out.insert(out.end(), lines.begin() + static_cast<std::ptrdiff_t>(at + count), lines.end());
  return out;
}

// Commands 5, 6, 28, 29: the lines inserted above the caret line, the caret
// moved by the offsets.
void CheckInserted(const std::vector<VbString>& before, const std::vector<VbString>& after, const Selection& s,
                   const Selection& caret, VbStringView text, std::int32_t lines, std::int32_t columns) {
  ExpectSameLines(Spliced(before, static_cast<std::size_t>(s.startLine - 1), 0, text), after, "inserting lines");
  const Selection expected{s.startLine + lines, s.startColumn + columns, s.endLine + lines, s.endColumn + columns};
  if (caret != expected) Fail("inserting lines left the caret at line " + std::to_string(caret.startLine));
}

// Command 2: the custom text at the caret, or below the last line when the
// caret stands there.
void CheckCustomText(const std::vector<VbString>& prepared, const std::vector<VbString>& after, const Selection& s,
                     const VbString& custom) {
  if (custom.empty()) return ExpectSameLines(prepared, after, "an empty custom text");
  const auto line = static_cast<std::size_t>(s.startLine);
  if (line > prepared.size()) {
    // The module's text, CR LF and the custom text: a new last line.
    const VbString text = JoinCrLf(prepared) + VbString(kCrLf) + custom;
    return ExpectSameLines(Spliced({}, 0, 0, text), after, "custom text below the end");
  }
  const VbString& text = prepared[line - 1];
  const std::size_t cut = std::min<std::size_t>(static_cast<std::size_t>(s.startColumn - 1), text.size());
  ExpectSameLines(Spliced(prepared, line - 1, 1, text.substr(0, cut) + custom + text.substr(cut)), after,
                  "custom text at the caret");
}

// Commands 7 and 8: each selected line commented or uncommented, the others
// as they were.
void CheckCommented(const std::vector<VbString>& prepared, const std::vector<VbString>& after, const Selection& s,
                    bool comment) {
  std::vector<VbString> expected = prepared;
  const auto last = std::min<std::size_t>(static_cast<std::size_t>(s.endLine), prepared.size());
  for (std::size_t line = static_cast<std::size_t>(s.startLine); line <= last; ++line) {
    const VbString& piece = prepared[line - 1];
    const std::size_t blanks = LeadingBlanks(piece);
    if (comment && !piece.empty()) {
      expected[line - 1] = Spaces(blanks) + u"'" + Trim(piece);
    } else if (!comment && blanks < piece.size() && piece[blanks] == u'\'') {
      expected[line - 1] = Spaces(blanks) + piece.substr(blanks + 1);
    }
  }
  ExpectSameLines(expected, after, comment ? "comment block" : "uncomment block");
}

// Command 13: every line without its white space at both ends.
void CheckTrimmed(const std::vector<VbString>& prepared, const std::vector<VbString>& after) {
  std::vector<VbString> expected;
  for (VbStringView line : prepared) {
    line = SkipWhite(line);
    while (!line.empty() && (line.back() == kBlank || line.back() == kTab)) line.remove_suffix(1);
    expected.emplace_back(line);
  }
  ExpectSameLines(expected, after, "trimming");
}

// The line without a leading line number and the white space around it.
VbStringView Unnumbered(VbStringView line) {
  VbStringView rest = SkipWhite(line);
  std::size_t digits = 0;
  while (digits < rest.size() && IsAsciiDigit(rest[digits])) ++digits;
  return digits > 0 ? SkipWhite(rest.substr(digits)) : rest;
}

// Commands 23 and 24: no line lost or moved, a line changes only by a number
// in front of it (23) or by its number's turning into blanks (24). A second 23
// changes nothing, and 24 gives back each numbered line, at its own column
// wherever 23 kept that column.
void CheckLineNumbers(const std::vector<VbString>& prepared, const std::vector<VbString>& after, bool add) {
  // A line left blank at the end of the module goes with the module's other
  // trailing blank lines: the editor keeps no empty last line.
  std::size_t kept = after.size();
  while (!add && kept < prepared.size() && Unnumbered(prepared[kept]).empty()) ++kept;
  if (kept != prepared.size()) Fail("line numbers changed the line count");
  for (std::size_t i = 0; i < after.size(); ++i) {
    // The editor puts a line number or label that was written back at the
    // margin.
    if (after[i] == prepared[i] || after[i] == model::AtMargin(prepared[i], i > 0 ? &prepared[i - 1] : nullptr)) {
      continue;
    }
    const VbStringView numbered = add ? VbStringView(after[i]) : VbStringView(prepared[i]);
    const VbStringView plain = add ? VbStringView(prepared[i]) : VbStringView(after[i]);
    if (Unnumbered(numbered) != SkipWhite(plain)) {
      Fail("line " + std::to_string(i + 1) + " changed beyond its number: " + Show(prepared[i]) + " became " + Show(after[i]));
    }
  }
  if (!add) return;
  const VbString text = JoinCrLf(after);
  if (f_AddLineNumbers(text, 10, 10).text != text) Fail("a second Add Line Number changed the module");
  const VbString deleted = f_DeleteLineNumbers(text).text;
  const std::vector<VbStringView> back = SplitCrLf(deleted);
  for (std::size_t i = 0; i < after.size() && i < back.size(); ++i) {
    // Only the numbers this run added, and of them those no statement
    // refers to, go again.
    if (after[i] == prepared[i] || f_LineLabel(prepared[i]).length > 0 || f_LineLabel(back[i]).number) continue;
    const VbStringView indent = VbStringView(prepared[i]).substr(0, prepared[i].size() - SkipWhite(prepared[i]).size());
    const bool keptColumn = after[i].size() == prepared[i].size() && indent.find(kTab) == VbStringView::npos;
    if (keptColumn ? back[i] != prepared[i] : SkipWhite(back[i]) != SkipWhite(prepared[i])) {
      Fail("Delete Line Number did not give back line " + std::to_string(i + 1) + ": " + Show(prepared[i]) + " came back as " + Show(VbString(back[i])));
    }
  }
}

// Commands 30 and 31: 31 takes back exactly what 30 did; a line changes
// only by one apostrophe after its leading white space.
void CheckProCode(const std::vector<VbString>& before, const std::vector<VbString>& after, bool comment) {
  if (before.size() != after.size()) Fail("the edition code commands changed the line count");
  if (after == before) return;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i] == before[i]) continue;
    const VbStringView line = before[i];
    const std::size_t at = line.size() - SkipWhite(line).size();
    VbString expected(line);
    if (comment) {
      expected.insert(at, 1, u'\'');
    } else if (at < line.size() && line[at] == u'\'') {
      expected.erase(at, 1);
    }
    // The editor puts a label or line number that uncommenting bares at the
    // margin.
    if (after[i] != expected && after[i] != model::AtMargin(expected, i > 0 ? &after[i - 1] : nullptr)) {
      Fail("the edition code commands changed line " + std::to_string(i + 1) + " beyond one apostrophe");
    }
  }
  if (comment && f_ProCode(JoinCrLf(after), false) != JoinCrLf(before)) Fail("31 did not take back 30");
}

bool PreparesModule(std::int16_t n) { return n != 5 && n != 6 && n != 28 && n != 29 && n != 30 && n != 31; }

}  // namespace

void FuzzCommands(std::string_view data) {
  FuzzInput in(data);
  const int steps = 1 + in.Byte() % 3;
  std::array<Step, 3> plan{};
  for (Step& step : plan) {
    step.command = kCommands[in.Byte() % kCommands.size()];
    for (std::uint8_t& b : step.bytes) b = in.Byte();
  }
  const std::string_view customLine = in.Line();
  VbString custom = ReplaceAll(U(customLine), u"|", kCrLf);
  const std::vector<VbString> lines = ModuleLines(in.Rest());

  const std::filesystem::path settingsFile = SettingsFileForInput();
  if (customLine.empty()) {
    custom = u"'";
    WriteSettingsFile(settingsFile, {});
  } else {
    if (customLine == "~") custom.clear();
    WriteSettingsFile(settingsFile, {{u"txtCtrl1Target", custom}});
  }

  Ide ide(settingsFile);
  model::ModelCodePane& pane = ide.Open(lines, CaretOn(lines, plan[0].bytes));
  for (int i = 0; i < steps; ++i) {
    const std::int16_t n = plan[i].command;
    const std::vector<VbString> before = ide.Lines();
    const Selection s = CaretOn(before, plan[i].bytes);
    pane.Select(s);
    if (!s_RunCommand(ide.g, n)) {
      // In an empty module the caret stands on line 1, which holds nothing:
      // command 28 inserts its line there and then asks for the caret on
      // line 2, which the IDE refuses.
      const bool emptyModule = n == cmd::kAddChkProEnd && before.empty() && ide.Lines().size() == 1;
      if (!emptyModule) {
        Fail("command " + std::to_string(n) + " failed: " + VbToUtf8(ide.platform.MessageBoxes().back().text));
      }
      continue;
    }
    const std::vector<VbString> after = ide.Lines();
    const std::vector<VbString> prepared = PreparesModule(n) ? PreparedModule(before) : before;
    const Selection caret = pane.Selected();
    switch (n) {
      case cmd::kDeleteBlankLines: CheckDeleteBlankLines(prepared, after); break;
      case cmd::kMergeBlankLines: CheckMergeBlankLines(prepared, after); break;
      case cmd::kChineseToEnglish: CheckChineseSymbols(prepared, after); break;
      case cmd::kPrivateToPublic:
      case cmd::kPublicToPrivate: CheckScopeSwap(prepared, after); break;
      case cmd::kInsertCustomText: CheckCustomText(prepared, after, s, custom); break;
      case cmd::kAddPrivateSub: CheckInserted(before, after, s, caret, u"Private Sub s_()\r\n\t\r\nEnd Sub", 0, 14); break;
      case cmd::kAddPrivateFunction:
        CheckInserted(before, after, s, caret, u"Private Function f_()\r\n\t\r\nEnd Function", 0, 19);
        break;
      case cmd::kAddChkProEnd: CheckInserted(before, after, s, caret, u"End Function", 1, 0); break;
      case cmd::kAddProLabels:
        CheckInserted(before, after, s, caret,
                      u"\r\n    If f_chkPro = True Then '<kv_pro_start>\r\n    End If '<kv_pro_end>", 2, 4);
        break;
      case cmd::kCommentBlock: CheckCommented(prepared, after, s, true); break;
      case cmd::kUncommentBlock: CheckCommented(prepared, after, s, false); break;
      case cmd::kTrimSpaces: CheckTrimmed(prepared, after); break;
      case cmd::kAddLineNumbers: CheckLineNumbers(prepared, after, true); break;
      case cmd::kDeleteLineNumbers: CheckLineNumbers(prepared, after, false); break;
      case cmd::kCommentProCode: CheckProCode(before, after, true); break;
      case cmd::kUncommentProCode: CheckProCode(before, after, false); break;
      default: break;
    }
  }
}

}  // namespace kv::fuzz
