// Procedures as the IDE sees them: heads, End lines, line ownership, the
// declarations section and the lookups by name.
#include <gtest/gtest.h>

#include "Harness.h"
#include "host/model/ProcedureIndex.h"
#include "support/Bars.h"

namespace kv::model {
namespace {

using vbide::ProcKind;

TEST(ProcedureHead, Recognised) {
  // name and kind as "name/kind", "" when the statement is no head
  const std::pair<VbStringView, std::string> rows[] = {
      {u"Sub A()", "A/0"}, {u"  \tPublic Function F(x As Long) As Long", "F/0"},
      {u"private sub lower_case", "lower_case/0"}, {u"Friend Static Sub S()", "S/0"},
      {u"Public Property Get Value() As Long", "Value/3"}, {u"Property Let Value(ByVal v As Long)", "Value/1"},
      {u"Private Property Set Item(ByVal o As Object)", "Item/2"},
      {u"Public Declare Function GetTickCount Lib \"kernel32\" () As Long", ""}, {u"Public Event Changed()", ""},
      {u"Static x As Long", ""}, {u"Subtotal = 1", ""}, {u"Property = 5", ""}, {u"Public Property Value()", ""},
      {u"' Sub A()", ""}, {u"Call Sub1()", ""}, {u"Private Private Sub A()", ""},
  };
  for (const auto& [statement, expected] : rows) {
    auto head = ParseProcedureHead(statement);
    EXPECT_EQ(head ? VbToUtf8(head->name) + "/" + std::to_string(static_cast<int>(head->kind)) : "", expected)
        << VbToUtf8(statement);
  }
}

TEST(ProcedureEnd, Recognised) {
  for (VbStringView line :
       {u"End Sub", u"\t  end   function", u"End Property ' done", u"End Sub: ' done", u"End Sub'done"})
    EXPECT_TRUE(IsProcedureEnd(line)) << VbToUtf8(line);
  for (VbStringView line : {u"End", u"End If", u"End Subx", u"EndSub", u"' End Sub"})
    EXPECT_FALSE(IsProcedureEnd(line)) << VbToUtf8(line);
}

// The owner of every line as "name/kind" ("-" for the declarations), joined
// with "|", and the number of declaration lines.
TEST(ProcedureOwnership, Table) {
  struct Row { std::string_view module, owners; std::int32_t declarations; };
  const Row rows[] = {
      {"Option Explicit||' A does it|Sub A()|End Sub||Function B()|End Function|' trailing",
       "-|A/0|A/0|A/0|A/0|B/0|B/0|B/0|B/0", 1},
      {"Dim a|Dim b", "-|-", 2},
      {"' only a comment|", "-|-", 2},  // no procedure: all lines
      {"Sub A()|End Sub", "A/0|A/0", 0},
      {"' about A|Sub A()|End Sub", "A/0|A/0|A/0", 0},
      {"Dim a|Rem note|  \t|Sub A()|End Sub", "-|A/0|A/0|A/0|A/0", 1},
      {"Dim a|Remark = 1|Sub A()|End Sub", "-|-|A/0|A/0", 2},
      // a continued declaration counts up to its last line; a continued comment stays a comment
      {"Dim a, _|  b|' note _|  Sub X()|Sub A()|End Sub", "-|-|A/0|A/0|A/0|A/0", 2},
      {"Sub A()|x = 1|Sub B()|End Sub", "A/0|A/0|B/0|B/0", 0},  // a head without End ends before the next
      {"Property Get P()|Property Let P(v)|End Property", "P/3|P/1|P/1", 0},  // another kind, another procedure
      {"Private Function F( _|  ByVal a As Long) As Long|x = a + _|  Sub1|' End Function|Rem End Function _|"
       "End Function|End Function|Public _|Sub G()|End _|Sub",
       "F/0|F/0|F/0|F/0|F/0|F/0|F/0|F/0|G/0|G/0|G/0|G/0", 0},
      {"End Sub||Sub A()|End Sub", "-|A/0|A/0|A/0", 1},  // a stray End in the declarations is code
  };
  for (const Row& r : rows) {
    test::Harness h;
    ModelCodeModule& m = h.AddModuleLines(test::Bars(r.module)).Code();
    std::string owners;
    for (std::int32_t line = 1; line <= m.CountOfLines(); ++line) {
      ProcKind kind = ProcKind::Proc;
      VbString name = m.ProcOfLine(line, kind);
      owners += (line > 1 ? "|" : "") + (name.empty() ? "-" : VbToUtf8(name) + "/" + std::to_string(int(kind)));
    }
    EXPECT_EQ(owners, r.owners) << r.module;
    EXPECT_EQ(m.CountOfDeclarationLines(), r.declarations) << r.module;
  }
}

TEST(ProcedureLookup, StartAndCountLines) {
  test::Harness h;
  ModelCodeModule& m = h.AddModuleLines(test::Bars("Dim a||Sub A()|End Sub|' B|Function b()|End Function|")).Code();
  EXPECT_EQ(m.ProcStartLine(u"A", ProcKind::Proc), 2);
  EXPECT_EQ(m.ProcCountLines(u"A", ProcKind::Proc), 3);
  EXPECT_EQ(m.ProcStartLine(u"B", ProcKind::Proc), 5);  // names ignore letter case
  EXPECT_EQ(m.ProcCountLines(u"B", ProcKind::Proc), 4);
  EXPECT_EQ(test::ErrorOf([&] { m.ProcStartLine(u"A", ProcKind::Get); }), 35);
  EXPECT_EQ(test::ErrorOf([&] { m.ProcCountLines(u"C", ProcKind::Proc); }), 35);
  EXPECT_EQ(test::ErrorOf([&] { m.ProcStartLine(u"", ProcKind::Proc); }), 35);
  ProcKind kind = ProcKind::Get;
  EXPECT_EQ(test::ErrorOf([&] { m.ProcOfLine(0, kind); }), vberr::kInvalidProcedureCall);
  EXPECT_EQ(test::ErrorOf([&] { m.ProcOfLine(9, kind); }), vberr::kInvalidProcedureCall);
  EXPECT_EQ(m.ProcOfLine(1, kind), u"");
  EXPECT_EQ(kind, ProcKind::Proc);
}

}  // namespace
}  // namespace kv::model
