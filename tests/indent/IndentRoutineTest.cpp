// The indentation routine's run: progress, failures of the host, the options
// it reads, and the flags that outlast a run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IndentSupport.h"
#include "ProgressLog.h"
#include "support/frmProgress.h"

namespace kv::test {
namespace {

std::vector<VbString> Repeat(VbStringView line, int n) { return std::vector<VbString>(n, VbString(line)); }

// The progress value shown before each line: every line up to a range of 100,
// then every n-th line; counted from the run's offset.
TEST(IndentRoutine, Progress) {
  struct Case { int lines, max, first, last, offset; std::vector<long> values; };
  const Case cases[] = {
      {50, 49, 1, 50, 0, Range(0, 49)}, {251, 250, 1, 251, 0, Range(0, 249, 3)},
      {20, 119, 11, 20, 100, Range(100, 108, 2)},
  };
  for (const Case& c : cases) {
    Harness h;
    ProgressLog log;
    h.g.progressRenderer = &log;
    RecordingModule module(Repeat(u"x = 1", c.lines));
    s_ShowProgress(h.g, 0, c.max);
    s_IndentLines(h.g, module, u"Form1", c.first, c.last, c.offset);
    EXPECT_EQ(log.messages, (std::vector<std::string>{"", "Rebuilding 'Form1'"}));
    EXPECT_EQ(log.Values(), c.values) << c.max;
    EXPECT_EQ(module.replaced_.size(), static_cast<std::size_t>(c.last - c.first + 1));
  }
}

TEST(IndentRoutine, AnEndBeforeTheStartOnlySetsTheMessage) {
  Harness h;
  RecordingModule module({u"  x = 1", u"  y = 1"});
  s_IndentLines(h.g, module, u"Declarations", 2, 1, 0);
  EXPECT_TRUE(module.replaced_.empty());
  EXPECT_EQ(ProgressWindow(h.g).MessageText(), u"Rebuilding 'Declarations'");
}

// Fault mended: an unreadable line was written back empty.
// A line the IDE refuses to read is left as it is, one it refuses to write
// keeps its text; either way the run goes on and the levels still count.
TEST(IndentRoutine, RefusedLinesAreLeftAndTheRunGoesOn) {
  Harness h;
  RecordingModule module({u"Sub A()", u"If a Then", u"  \t  x = 1", u"y = 1", u"End If", u"End Sub"});
  module.unreadable_ = 3;
  s_IndentLines(h.g, module, u"M", 1, 6, 0);
  EXPECT_EQ(Utf8Lines(module.lines_), (std::vector<std::string>{"Sub A()", "    If a Then", "  \t  x = 1",
                                                                "        y = 1", "    End If", "End Sub"}));
  EXPECT_EQ(module.replaced_, (std::vector<std::int32_t>{1, 2, 4, 5, 6}));
  RecordingModule unwritable({u"Sub A()", u"If a Then", u"y = 1", u"End If", u"End Sub"});
  unwritable.unwritable_ = 2;
  s_IndentLines(h.g, unwritable, u"M", 1, 5, 0);
  EXPECT_EQ(Utf8Lines(unwritable.lines_),
            (std::vector<std::string>{"Sub A()", "If a Then", "        y = 1", "    End If", "End Sub"}));
}

// Options as a hand edit may leave them: counts are clamped (IndentSpaces to
// 0..10, AlignEOLCol to 0..100), and no line loses or repeats text.
struct OptionRow {
  std::string_view options;
  std::string_view line;  // the second line of: Sub A() / x = 1 ' c / End Sub
};

constexpr OptionRow kOptionRows[] = {
    {"", "    x = 1@55' c"}, {"IndentSpaces=99999", "          x = 1@55' c"}, {"IndentSpaces=-99999", "x = 1@55' c"},
    {"IndentSpaces=-3", "x = 1@55' c"}, {"IndentSpaces=", "x = 1@55' c"}, {"IndentSpaces=2.5", "  x = 1@55' c"},
    {"IndentSpaces=7abc", "       x = 1@55' c"}, {"AlignEOLCol=500", "    x = 1@100' c"},
    {"AlignEOLCol=-5", "    x = 1    ' c"}, {"AlignEOLCol=10", "    x = 1' c"}, {"AlignEOL=Yes", "    x = 1    ' c"},
    {"IndentProc=", "x = 1@55' c"},
};

TEST(IndentRoutine, OptionsAreReadAtEachRunAndClamped) {
  for (const OptionRow& row : kOptionRows) {
    SCOPED_TRACE(std::string(row.options));
    std::vector<std::string> out = RoutineOutput({"Sub A()", "  x = 1   ' c", "End Sub"}, row.options);
    EXPECT_EQ(out[1], Columns(row.line));
    EXPECT_EQ(RoutineOutput(out, row.options), out);
  }
}

// The flags of a continued statement, a continued If head and a Type block
// carry over into the next run; the level does not.
TEST(IndentRoutine, FlagsOutlastARunAndTheLevelDoesNot) {
  Harness h;
  RecordingModule first({u"Sub A()", u"If a And _"});
  s_IndentLines(h.g, first, u"M", 1, 2, 0);
  EXPECT_TRUE(h.g.indentFlags.StatementContinues);
  EXPECT_TRUE(h.g.indentFlags.IfContinues);
  RecordingModule second({u"b Then", u"x = 1", u"End If"});
  s_IndentLines(h.g, second, u"M", 1, 3, 0);
  EXPECT_EQ(Utf8Lines(second.lines_), (std::vector<std::string>{"        b Then", "    x = 1", "End If"}));
  EXPECT_FALSE(h.g.indentFlags.IfContinues);

  RecordingModule type({u"Private Type T", u"h As Long"});
  s_IndentLines(h.g, type, u"M", 1, 2, 0);
  EXPECT_TRUE(h.g.indentFlags.InTypeOrEnum);
  RecordingModule members({u"For As Long", u"With As Long", u"End Type", u"x = 1"});
  s_IndentLines(h.g, members, u"M", 1, 4, 0);
  EXPECT_EQ(Utf8Lines(members.lines_), (std::vector<std::string>{"For As Long", "With As Long", "End Type", "x = 1"}));
  EXPECT_FALSE(h.g.indentFlags.InTypeOrEnum);
}

// VB6 loads no line longer than 1,023 characters: deep indentation gives
// way, and a line too long by itself stays as it was.
TEST(IndentRoutine, NoLineIsIndentedPastVbsLimit) {
  const VbString longCode = u"x = \"" + VbString(1100, u'a') + u"\"";
  const VbString fitting = u"y = \"" + VbString(995, u'b') + u"\"";  // 1,001 characters
  struct Case {
    int depth;
    VbString line;
    VbString expected;
  } cases[] = {
      {3, u"x = 1", VbString(12, u' ') + u"x = 1"},
      {300, u"x = 1", VbString(1018, u' ') + u"x = 1"},
      {10, fitting, VbString(22, u' ') + fitting},
      {1, fitting, VbString(4, u' ') + fitting},
      {1, u"  " + longCode + u"  ", u"  " + longCode + u"  "},
      {300, longCode, longCode},
  };
  for (const Case& c : cases) {
    std::vector<VbString> lines = Repeat(u"If a Then", c.depth);
    lines.push_back(c.line);
    for (int i = 0; i < c.depth; ++i) lines.push_back(u"End If");
    for (int pass = 0; pass < 2; ++pass) {
      Harness h;
      RecordingModule module(lines);
      s_IndentLines(h.g, module, u"M", 1, static_cast<std::int32_t>(lines.size()), 0);
      EXPECT_EQ(module.lines_[c.depth], c.expected) << c.depth << " pass " << pass;
      lines = module.lines_;
    }
  }
}

}  // namespace
}  // namespace kv::test
