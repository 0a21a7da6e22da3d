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
  struct Case { const char* line; const char* skeleton; };
  for (const Case& c : std::initializer_list<Case>{
           {"\t  x = 1   ", "x = 1"}, {"a:   b", "a:b"}, {"a: b:  c", "a:b:c"},
           {"x = \"a:  b\"", "x = \"a:  b\""},  // blanks in a literal stay
           {"x = 1     ' c:  d  ", "x = 1' c:  d"}, {"x = \"'\"   ' c", "x = \"'\"' c"},
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

}  // namespace
}  // namespace kv::fuzz
