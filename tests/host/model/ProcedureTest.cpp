// Procedures as the IDE sees them: heads, End lines, the #If double head,
// line ownership and the declarations section.
#include <gtest/gtest.h>

#include "Harness.h"
#include "host/model/ProcedureIndex.h"

namespace kv::model {
namespace {

using vbide::ProcKind;
using L = std::vector<VbString>;

TEST(ProcedureHead, Recognised) {
  struct Row {
    VbStringView statement;
    VbStringView name;  // empty: not a head
    ProcKind kind;
  };
  const Row rows[] = {
      {u"Sub A()", u"A", ProcKind::Proc}, {u"  \tPublic Function F(x As Long) As Long", u"F", ProcKind::Proc},
      {u"private sub lower_case", u"lower_case", ProcKind::Proc}, {u"Friend Static Sub S()", u"S", ProcKind::Proc},
      {u"Public Property Get Value() As Long", u"Value", ProcKind::Get},
      {u"Property Let Value(ByVal v As Long)", u"Value", ProcKind::Let},
      {u"Private Property Set Item(ByVal o As Object)", u"Item", ProcKind::Set},
      {u"Public Declare Function GetTickCount Lib \"kernel32\" () As Long", u"", ProcKind::Proc},
      {u"Public Event Changed()", u"", ProcKind::Proc}, {u"Static x As Long", u"", ProcKind::Proc},
      {u"Subtotal = 1", u"", ProcKind::Proc}, {u"Property = 5", u"", ProcKind::Proc},
      {u"Public Property Value()", u"", ProcKind::Proc}, {u"' Sub A()", u"", ProcKind::Proc},
{u"Call Sub1()", u"", ProcKind::Proc},
      {u"Private Private Sub A()", u"", ProcKind::Proc},
  };
  for (const Row& r : rows) {
    auto head = ParseProcedureHead(r.statement);
    EXPECT_EQ(head ? head->name : VbString(), r.name) << VbToUtf8(r.statement);
    if (head) {
      EXPECT_EQ(head->kind, r.kind) << VbToUtf8(r.statement);
    }
  }
}

TEST(ProcedureEnd, Recognised) {
  for (VbStringView line :
       {u"End Sub", u"\t  end   function", u"End Property ' done", u"End Sub: ' done", u"End Sub'done"})
    EXPECT_TRUE(IsProcedureEnd(line)) << VbToUtf8(line);
  for (VbStringView line : {u"End", u"End If", u"End Subx", u"EndSub", u"' End Sub"})
    EXPECT_FALSE(IsProcedureEnd(line)) << VbToUtf8(line);
}

// Ownership of every line as "name/kind" ("-" for the declarations) and the
// number of declaration lines.
struct Ownership { std::vector<std::string> owners; std::int32_t declarations; };

Ownership OwnersOf(const L& lines) {
  test::Harness h;
  ModelCodeModule& m = h.AddModuleLines(lines).Code();
  Ownership out{{}, m.CountOfDeclarationLines()};
  for (std::int32_t line = 1; line <= m.CountOfLines(); ++line) {
    ProcKind kind = ProcKind::Proc;
    VbString name = m.ProcOfLine(line, kind);
    out.owners.push_back(name.empty() ? "-" : VbToUtf8(name) + "/" + std::to_string(static_cast<int>(kind)));
  }
  return out;
}

using S = std::vector<std::string>;

TEST(ProcedureOwnership, Basic) {
  auto o = OwnersOf({u"Option Explicit", u"", u"' A does it", u"Sub A()", u"End Sub", u"", u"Function B()",
                     u"End Function", u"' trailing"});
  EXPECT_EQ(o.declarations, 1);
  EXPECT_EQ(o.owners, (S{"-", "A/0", "A/0", "A/0", "A/0", "B/0", "B/0", "B/0", "B/0"}));
}

TEST(ProcedureOwnership, DeclarationsCount) {
  EXPECT_EQ(OwnersOf({u"Dim a", u"Dim b"}).declarations, 2);
  EXPECT_EQ(OwnersOf({u"' only a comment", u""}).declarations, 2);  // no procedure: all lines
  EXPECT_EQ(OwnersOf({u"Sub A()", u"End Sub"}).declarations, 0);
  EXPECT_EQ(OwnersOf({u"' about A", u"Sub A()", u"End Sub"}).declarations, 0);
  EXPECT_EQ(OwnersOf({u"Dim a", u"Rem note", u"  \t", u"Sub A()", u"End Sub"}).declarations, 1);
  EXPECT_EQ(OwnersOf({u"Dim a", u"Remark = 1", u"Sub A()", u"End Sub"}).declarations, 2);
  // A continued declaration counts up to its last line; a continued comment
  // stays a comment.
  EXPECT_EQ(OwnersOf({u"Dim a, _", u"  b", u"' note _", u"  Sub X()", u"Sub A()", u"End Sub"}).declarations, 2);
}

TEST(ProcedureOwnership, HeadWithoutEndEndsBeforeTheNextHead) {
  auto o = OwnersOf({u"Sub A()", u"x = 1", u"Sub B()", u"End Sub"});
  EXPECT_EQ(o.owners, (S{"A/0", "A/0", "B/0", "B/0"}));
  // A different kind of the same name is another procedure.
  auto p = OwnersOf({u"Property Get P()", u"Property Let P(v)", u"End Property"});
  EXPECT_EQ(p.owners, (S{"P/3", "P/1", "P/1"}));
}

TEST(ProcedureOwnership, ContinuationsAndComments) {
  auto o = OwnersOf({u"Private Function F( _", u"  ByVal a As Long) As Long", u"x = a + _", u"  Sub1",
                     u"' End Function", u"Rem End Function _", u"End Function", u"End Function", u"Public _",
                     u"Sub G()", u"End _", u"Sub"});
  EXPECT_EQ(o.owners, (S{"F/0", "F/0", "F/0", "F/0", "F/0", "F/0", "F/0", "F/0", "G/0", "G/0", "G/0", "G/0"}));
}

TEST(ProcedureOwnership, StrayEndInTheDeclarationsIsCode) {
  auto o = OwnersOf({u"End Sub", u"", u"Sub A()", u"End Sub"});
  EXPECT_EQ(o.declarations, 1);
  EXPECT_EQ(o.owners, (S{"-", "A/0", "A/0", "A/0"}));
}

TEST(ProcedureLookup, StartAndCountLines) {
  test::Harness h;
  ModelCodeModule& m =
      h.AddModuleLines({u"Dim a", u"", u"Sub A()", u"End Sub", u"' B", u"Function b()", u"End Function", u""})
          .Code();
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
