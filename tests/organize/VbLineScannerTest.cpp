// How the line scanner splits VB lines into code, words, literals and
// comments, and what a line hands on to the next.
#include "organize/VbLineScanner.h"

#include <gtest/gtest.h>

#include "OrganizeKit.h"

namespace kv {
namespace {

// Code as it is, a word as {w} ({*w} when it begins a statement), a literal
// as <...>, a comment as [...]; lines separated by "|".
std::string Render(std::string_view module) {
  std::string out;
  VbLineState state;
  bool first = true;
  for (const VbString& line : test::Bars(module)) {
    if (!first) out += '|';
    first = false;
    ScanVbLine(line, state, [&](const VbPiece& piece) {
      const std::string text = VbToUtf8(piece.text);
      switch (piece.kind) {
        case VbPieceKind::Code: out += text; break;
        case VbPieceKind::Word: out += (piece.statementStart ? "{*" : "{") + text + "}"; break;
        case VbPieceKind::Literal: out += "<" + text + ">"; break;
        case VbPieceKind::Comment: out += "[" + text + "]"; break;
      }
    });
  }
  return out;
}

TEST(VbLineScanner, Pieces) {
  struct Case { const char* module; const char* pieces; };
  const Case cases[] = {
      {R"(x = "a" ' c)", R"({*x} = <"a"> [' c])"},
      {R"(s = "it's ""x""" & y)", R"({*s} = <"it's ""x"""> & {y})"},  // doubled quotes stay inside
      {R"(s = "a _|x)", R"({*s} = <"a _>|{*x})"},                      // a literal ends with its line
      {R"(' say "a" _|"b" 'c|x)", R"([' say "a" _]|["b" 'c]|{*x})"},   // a comment holds no literals
      {"x = 1 'a _|b _|c", "{*x} = {1} ['a _]|[b _]|[c]"},
      {"' a_|y", "[' a_]|{*y}"},                                        // no blank before "_"
      {"' a _  |y", "[' a _  ]|[y]"},                                    // trailing blanks after "_"
      {"' a _||x", "[' a _]||{*x}"}, {"Rem note", "[Rem note]"}, {"Rem", "[Rem]"}, {"\tRem\tnote", "\t[Rem\tnote]"},
      {"x = 1: Rem note", "{*x} = {1}: [Rem note]"}, {"If a Then Rem x", "{*If} {a} {Then} [Rem x]"},
      {"If a Then b Else Rem x", "{*If} {a} {Then} {*b} {Else} [Rem x]"}, {"10 Rem x", "{*10} [Rem x]"},
      {"Remark = 1", "{*Remark} = {1}"},
      {"x = Rem", "{*x} = {Rem}"},                                       // not where a statement begins
      {"x = 1 + _|  Rem|y", "{*x} = {1} + {_}|  {Rem}|{*y}"},             // a continued statement
      {"Foo a:=1: Private", "{*Foo} {a}:={1}: {*Private}"},               // := is no separator
      {"Option Private Module", "{*Option} {Private} {Module}"}, {"变量 = 1", "{*变量} = {1}"},
      {"x（1）“a”", "{*x}（{1}）“{a}”"},                                  // full-width signs separate words
      {"Private_x IsPrivate", "{*Private_x} {IsPrivate}"},
  };
  for (const Case& c : cases) EXPECT_EQ(Render(c.module), c.pieces) << c.module;
}

}  // namespace
}  // namespace kv
