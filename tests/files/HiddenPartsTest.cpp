// Hidden parts: headers and Attribute lines taken out and put back, also
// after a statement moved.
#include "files/HiddenParts.h"

#include <gtest/gtest.h>

#include "files/LineEnds.h"

namespace kv::files {
namespace {

std::vector<VbStringView> Lines(VbStringView text) { return SplitLines(text).lines; }

VbString Join(const std::vector<VbStringView>& lines) {
  VbString out;
  for (VbStringView l : lines) out.append(l).append(u"\n");
  return out;
}

constexpr VbStringView kClass =
    u"VERSION 1.0 CLASS\n" u"BEGIN\n" u"  MultiUse = -1  'True\n" u"END\n" u"Attribute VB_Name = \"clsAccount\"\n"
    u"Attribute VB_Exposed = False\n" u"Option Explicit\n" u"Private WithEvents m_Conn As Connection\n"
    u"Attribute m_Conn.VB_VarHelpID = -1\n" u"Public Event Changed(ByVal Amount As Currency)\n"
    u"Attribute Changed.VB_Description = \"Raised after a change\"\n" u"\n"
    u"Public Property Get Balance() As Currency\n" u"Attribute Balance.VB_UserMemId = 0\n"
    u"Attribute Balance.VB_Description = \"The balance\"\n" u"    Balance = m_Balance\n" u"End Property\n" u"\n"
    u"Public Function Transfer(ByVal Amount As Currency, _\n"
    u"                         ByVal Target As clsAccount) As Boolean\n"
    u"Attribute Transfer.VB_Description = \"Moves money\"\n" u"End Function\n";

TEST(HiddenParts, AClassShowsOnlyItsCode) {
  auto lines = Lines(kClass);
  SplitModule m = SplitHiddenParts(lines);
  EXPECT_EQ(m.hidden.header.size(), 6u);
  EXPECT_EQ(m.hidden.vbName, u"clsAccount");
  EXPECT_EQ(m.code.size(), 11u);
  EXPECT_EQ(m.code[0], u"Option Explicit");
  for (VbStringView line : m.code) EXPECT_FALSE(StartsWithNoCase(line, u"Attribute")) << VbToUtf8(line);
  ASSERT_EQ(m.hidden.attributes.size(), 4u);
  EXPECT_EQ(m.hidden.attributes[0].member, u"m_Conn");
  EXPECT_EQ(m.hidden.attributes[0].kind, MemberKind::Variable);
  EXPECT_EQ(m.hidden.attributes[1].kind, MemberKind::Event);
  EXPECT_EQ(m.hidden.attributes[2].kind, MemberKind::PropertyGet);
  EXPECT_EQ(m.hidden.attributes[2].lines.size(), 2u);
  EXPECT_EQ(m.hidden.attributes[3].after, 9u);  // after the continued head's last line
  EXPECT_EQ(Join(AssembleModule(m.hidden, m.code)), kClass);
}

TEST(HiddenParts, AttributesFollowTheirStatementWhenItMoves) {
  auto lines = Lines(kClass);
  SplitModule m = SplitHiddenParts(lines);
  // What a fold does: the property moves to the end, re-indented, and a
  // marker stands in its place.
  std::vector<VbStringView> code(m.code.begin(), m.code.begin() + 4);
  code.push_back(u"'[+]<kv_unflod:^+) Public Property Get Balance() As Currency");
  code.insert(code.end(), m.code.begin() + 8, m.code.end());
  code.push_back(u"");
  code.push_back(u"  Public Property Get Balance() As Currency");
  code.push_back(u"    Balance = m_Balance");
  code.push_back(u"End Property");
  VbString out = Join(AssembleModule(m.hidden, code));
  EXPECT_NE(out.find(u"  Public Property Get Balance() As Currency\n"
                     u"Attribute Balance.VB_UserMemId = 0\n"
                     u"Attribute Balance.VB_Description = \"The balance\"\n"
                     u"    Balance = m_Balance\n"),
            VbString::npos)
      << VbToUtf8(out);
  EXPECT_NE(out.find(u"clsAccount) As Boolean\nAttribute Transfer.VB_Description"), VbString::npos) << VbToUtf8(out);
}

TEST(HiddenParts, AStatementThatIsGoneIsReportedNotDropped) {
  auto lines = Lines(kClass);
  SplitModule m = SplitHiddenParts(lines);
  std::vector<VbStringView> code(m.code.begin(), m.code.begin() + 3);  // the event is gone
  EXPECT_THROW(AssembleModule(m.hidden, code), HiddenPartsError);
}

TEST(HiddenParts, WhatIsAndIsNotAnAttributeLine) {
  struct Case {
    VbStringView line;
    std::optional<VbString> member;
  } cases[] = {
      {u"Attribute Value.VB_UserMemId = 0", u"Value"},
      {u"attribute   [Item Name].VB_Description = \"x\"", u"Item Name"}, {u"Attribute VB_Name = \"Module1\"", u""},
      {u"Attribute = 5", std::nullopt}, {u"Attributes.Add x", std::nullopt}, {u"    Attribute x.y = 1", std::nullopt},
      {u"' Attribute x.y = 1", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(AttributeMember(c.line), c.member) << VbToUtf8(c.line);
}

TEST(HiddenParts, DeclarationsNameTheirMembers) {
  struct Case {
    VbStringView statement;
    std::optional<MemberKind> kind;
    VbStringView firstName;
  } cases[] = {
      {u"Public Function F() As Long", MemberKind::Procedure, u"F"},
      {u"Private Static Sub S(ByVal a As Long)", MemberKind::Procedure, u"S"},
      {u"Friend Property Let Value(ByVal v As Long)", MemberKind::PropertyLet, u"Value"},
      {u"Property Set Item(ByVal o As Object)", MemberKind::PropertySet, u"Item"},
      {u"Public Event Done()", MemberKind::Event, u"Done"},
      {u"Dim WithEvents btn As CommandButton", MemberKind::Variable, u"btn"},
      {u"Public a As Long, b(1 To 3) As String", MemberKind::Variable, u"a"},
      {u"Private Name$", MemberKind::Variable, u"Name"},
      {u"Public Declare Function GetTickCount Lib \"kernel32\" () As Long", std::nullopt, u""},
      {u"Private Const X = 1", std::nullopt, u""}, {u"Private Type T", std::nullopt, u""},
      {u"x = 1", std::nullopt, u""},
  };
  for (const Case& c : cases) {
    VbStringView line = c.statement;
    auto d = ParseDeclaration([&](std::size_t) { return line; }, 1, 0);
    EXPECT_EQ(d.has_value(), c.kind.has_value()) << VbToUtf8(line);
    if (d && c.kind) {
      EXPECT_EQ(d->kind, *c.kind) << VbToUtf8(line);
      EXPECT_EQ(d->names.front(), c.firstName) << VbToUtf8(line);
    }
  }
}

TEST(HiddenParts, AnAttributeUnderAnyOtherLineFollowsThatLineWhateverItsBlanks) {
  auto lines = Lines(u"#If VBA7 Then\nPublic Function F() As LongPtr\n#End If\nAttribute F.VB_Description = \"f\"\n"
                     u"x = 1:  y = 2 ' set\nAttribute VB_Exposed = False\nEnd Function\n");
  SplitModule m = SplitHiddenParts(lines);
  ASSERT_EQ(m.hidden.attributes.size(), 2u);
  EXPECT_FALSE(m.hidden.attributes[0].kind);  // under #End If: found again by that line's text
  std::vector<VbStringView> code = {u"#If VBA7 Then", u"  Public Function F() As LongPtr", u"#End If",
                                    u"    x = 1: y = 2                ' set", u"End Function"};
  EXPECT_EQ(Join(AssembleModule(m.hidden, code)),
            u"#If VBA7 Then\n  Public Function F() As LongPtr\n#End If\nAttribute F.VB_Description = \"f\"\n"
            u"    x = 1: y = 2                ' set\nAttribute VB_Exposed = False\nEnd Function\n");
}

}  // namespace
}  // namespace kv::files
