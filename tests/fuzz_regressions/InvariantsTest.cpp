// The fuzz targets' invariants themselves: each check passes what the
// commands may do and catches the faults it is there for (a lost character,
// a changed literal, a dropped line).
#include "Invariants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FuzzSupport.h"

namespace kv::fuzz {
namespace {

std::vector<VbString> Lines(std::initializer_list<const char*> lines) {
  std::vector<VbString> out;
  for (const char* line : lines) out.push_back(U(line));
  return out;
}

// Whether the check throws Violation.
template <class Check>
bool Breaks(Check&& check) {
  try {
    check();
    return false;
  } catch (const Violation&) {
    return true;
  }
}

TEST(Invariants, IndentSkeleton) {
  struct Case {
    const char* line;
    const char* skeleton;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"\t  x = 1   ", "x = 1"},
           {"a:   b", "a:b"},
           {"a: b:  c", "a:b:c"},
           {"x = \"a:  b\"", "x = \"a:  b\""},  // blanks in a literal stay
           {"x = 1     ' c:  d  ", "x = 1' c:  d"},
           {"x = \"'\"   ' c", "x = \"'\"' c"},
           {"x = 1\t' c", "x = 1\t' c"},       // a tab before a comment stays
           {"If a Then  b", "If a Then  b"},   // blanks elsewhere stay
           {"x = 1 \t", "x = 1 \t"},           // trailing tabs stay
       }) {
    EXPECT_EQ(VbToUtf8(IndentSkeleton(U(c.line))), c.skeleton) << c.line;
  }
}

TEST(Invariants, IndentationKeepsText) {
  const auto before = Lines({"Sub A()", "\tx = 1   ' c", "a:   b", "  ", "End Sub"});
  EXPECT_FALSE(Breaks([&] { CheckIndentKeepsText(before, Lines({"Sub A()", "    x = 1 ' c", "    a: b", "", "End Sub"})); }));
  // A lost character, a changed line count, a blank left behind, a tab prefix.
  EXPECT_TRUE(Breaks([&] { CheckIndentKeepsText(before, Lines({"Sub A()", "    x = 1 ' ", "    a: b", "", "End Sub"})); }));
  EXPECT_TRUE(Breaks([&] { CheckIndentKeepsText(before, Lines({"Sub A()", "    x = 1 ' c", "    a: b", "End Sub"})); }));
  EXPECT_TRUE(Breaks([&] { CheckIndentKeepsText(before, Lines({"Sub A()", "    x = 1 ' c", "    a: b", " ", "End Sub"})); }));
  EXPECT_TRUE(Breaks([&] { CheckIndentKeepsText(before, Lines({"Sub A()", "\tx = 1 ' c", "    a: b", "", "End Sub"})); }));
  // Unwritten lines may keep their blanks when not every line was written.
  EXPECT_FALSE(Breaks([&] { CheckIndentKeepsText(Lines({"  "}), Lines({"  "}), false); }));
  EXPECT_TRUE(Breaks([&] { CheckIndentKeepsText(Lines({"  "}), Lines({"  "}), true); }));
}

TEST(Invariants, ReaderFindsLiteralsAndComments) {
  struct Case {
    std::vector<const char*> lines;
    std::vector<const char*> found;  // literals as written, comments behind "comment:"
  };
  for (const Case& c : std::initializer_list<Case>{
           {{"x = \"a\" & \"b\"\"c\""}, {"\"a\"", "\"b\"\"c\""}},
           {{"x = \"open"}, {"\"open"}},
           {{"x = 1 ' \"no\""}, {"comment:' \"no\""}},
           {{"Rem \"no\""}, {"comment:Rem \"no\""}},
           {{"x = 1: Rem \"no\""}, {"comment:Rem \"no\""}},
           {{"totalrem = \"yes\""}, {"\"yes\""}},
           {{"lorem \"yes\""}, {"\"yes\""}},
           {{"If a Then Rem \"no\""}, {"comment:Rem \"no\""}},
           {{"10 Rem \"no\""}, {"comment:Rem \"no\""}},
           {{"' a _", "\"no\"", "\"yes\""}, {"comment:' a _", "comment:\"no\"", "\"yes\""}},
           {{"x = a _", "Rem \"yes\""}, {"\"yes\""}},  // a continued statement: Rem is a name there
           {{"f a:= Rem \"y\""}, {"\"y\""}},  // a named argument starts no statement
       }) {
    std::vector<VbString> lines;
    for (const char* l : c.lines) lines.push_back(U(l));
    std::vector<std::string> found;
    for (const VbString& t : LiteralsAndComments(lines)) found.push_back(VbToUtf8(t));
    EXPECT_EQ(found, std::vector<std::string>(c.found.begin(), c.found.end())) << c.lines.front();
  }
}

TEST(Invariants, TextCommands) {
  const auto module = Lines({"Private Sub A()", "", "  ", "x = \"（Private）\" ' Public", "", "End Sub"});
  // 3: blank lines go, a header takes the list's letter case.
  EXPECT_FALSE(Breaks([&] { CheckDeleteBlankLines(Lines({"private sub A()"}), Lines({"", "Private Sub A()"})); }));
  EXPECT_TRUE(Breaks([&] { CheckDeleteBlankLines(Lines({"private x"}), Lines({"Private x"})); }));
  EXPECT_TRUE(Breaks([&] { CheckDeleteBlankLines(module, Lines({"Private Sub A()", "End Sub"})); }));
  // 4: the first line of each blank run stays as it was.
  EXPECT_FALSE(Breaks([&] {
    CheckMergeBlankLines(module, Lines({"Private Sub A()", "", "x = \"（Private）\" ' Public", "", "End Sub"}));
  }));
  EXPECT_TRUE(Breaks([&] {
    CheckMergeBlankLines(module, Lines({"Private Sub A()", "  ", "x = \"（Private）\" ' Public", "", "End Sub"}));
  }));
  // 20: never inside a literal.
  EXPECT_FALSE(Breaks([&] { CheckChineseSymbols(Lines({"f（\"（\"）"}), Lines({"f(\"（\")"})); }));
  EXPECT_TRUE(Breaks([&] { CheckChineseSymbols(Lines({"f（\"（\"）"}), Lines({"f(\"(\")"})); }));
  EXPECT_TRUE(Breaks([&] { CheckChineseSymbols(Lines({"a-b"}), Lines({"a_b"})); }));
  // 21 and 22: whole words in code only.
  EXPECT_FALSE(Breaks([&] { CheckScopeSwap(Lines({"Private x ' Private"}), Lines({"Public x ' Private"})); }));
  EXPECT_TRUE(Breaks([&] { CheckScopeSwap(Lines({"IsPrivate = 1"}), Lines({"IsPublic = 1"})); }));
  EXPECT_TRUE(Breaks([&] { CheckScopeSwap(Lines({"x = \"Private\""}), Lines({"x = \"Public\""})); }));
  EXPECT_TRUE(Breaks([&] { CheckScopeSwap(Lines({"' Private"}), Lines({"' Public"})); }));
}

TEST(Invariants, Folding) {
  const auto module = Lines({"Option Explicit", "Private Sub A()", "  x", "End Sub"});
  const auto folded = Lines({"Option Explicit", "'[+]<kv_unflod:^+) Private Sub A()", "", "Private Sub A()", "  x", "End Sub"});
  EXPECT_FALSE(Breaks([&] { CheckFold(module, folded); }));
  EXPECT_FALSE(Breaks([&] { CheckFold(module, module); }));
  EXPECT_TRUE(Breaks([&] { CheckFold(module, Lines({"Option Explicit", "'[+]<kv_unflod:^+) Private Sub A()", "", "Private Sub A()", "End Sub"})); }));
  EXPECT_FALSE(Breaks([&] { CheckUnfold(folded, module, false); }));
  EXPECT_FALSE(Breaks([&] { CheckUnfold(folded, folded, false); }));
  // A dropped line, an invented one, lines moved without a marker going.
  EXPECT_TRUE(Breaks([&] { CheckUnfold(folded, Lines({"Option Explicit", "Private Sub A()", "End Sub"}), false); }));
  EXPECT_TRUE(Breaks([&] { CheckUnfold(folded, Lines({"Option Explicit", "Private Sub A()", "  x", "  x", "End Sub"}), true); }));
  EXPECT_TRUE(Breaks([&] { CheckUnfold(module, Lines({"Private Sub A()", "Option Explicit", "  x", "End Sub"}), true); }));
}

TEST(Invariants, PreparedModule) {
  struct Case {
    std::vector<const char*> lines;
    std::vector<const char*> prepared;
  };
  for (const Case& c : std::initializer_list<Case>{
           {{"a", "", "  "}, {"a"}},
           {{"  ", ""}, {"  "}},
           {{"", "  "}, {}},
           {{"a", "\t"}, {"a", "\t"}},
       }) {
    std::vector<VbString> lines;
    for (const char* l : c.lines) lines.push_back(U(l));
    std::vector<std::string> prepared;
    for (const VbString& l : DropTrailingBlankLines(lines)) prepared.push_back(VbToUtf8(l));
    EXPECT_EQ(prepared, std::vector<std::string>(c.prepared.begin(), c.prepared.end()));
  }
}

TEST(FuzzSupport, ModuleLinesAndInput) {
  EXPECT_EQ(ModuleLines("a\r\nb\n"), Lines({"a", "b"}));
  EXPECT_EQ(ModuleLines("a\rb\n\n"), Lines({"a\rb", ""}));
  EXPECT_TRUE(ModuleLines("").empty());
  FuzzInput in("\x07line\nrest");
  EXPECT_EQ(in.Byte(), 7);
  EXPECT_EQ(in.Line(), "line");
  EXPECT_EQ(in.Rest(), "rest");
  EXPECT_EQ(in.Byte(), 0);  // past the end
  EXPECT_EQ(in.Line(), "");
}

}  // namespace
}  // namespace kv::fuzz
