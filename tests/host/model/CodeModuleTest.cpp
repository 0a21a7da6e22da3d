// The code module's text rules: splitting, ranges that throw, the margin of
// labels and line numbers, and that edits leave the selection alone.
#include <gtest/gtest.h>

#include <functional>

#include "Harness.h"
#include "support/Bars.h"

namespace kv::model {
namespace {

using L = std::vector<VbString>;
using test::Bars;
using test::ErrorOf;
using test::Harness;

// The text goes in by InsertLines(2) ("insert"), AddFromString on an emptied
// module ("add") or ReplaceLine(2) ("replace").
TEST(CodeModule, TextBecomesLines) {
  struct Row { std::string_view before, op; VbStringView text; std::string_view after; };
  const Row rows[] = {
      {"1|2", "insert", u"A\r\nB\r\n", "1|A|B|2"}, {"1|2", "insert", u"A\r\nB", "1|A|B|2"},
      {"1|2", "insert", u"\r\n", "1||2"}, {"1|2", "insert", u"", "1|2"}, {"1|2", "insert", u"A\r\n\r\n", "1|A||2"},
      {"1", "add", u"A\r\nB\r\n", "A|B"}, {"1", "add", u"A\r\nB", "A|B"}, {"1", "add", u"", ""},
      {"1|2|3", "replace", u"A", "1|A|3"}, {"1|2|3", "replace", u"", "1||3"}, {"1|2|3", "replace", u"\r\n", "1||3"},
      {"1|2|3", "replace", u"A\r\nB", "1|A|B|3"}, {"1|2|3", "replace", u"A\r\nB\r\n", "1|A|B|3"},
  };
  for (const Row& r : rows) {
    Harness h;
    ModelCodeModule& m = h.AddModuleLines(Bars(r.before)).Code();
    if (r.op == "insert") m.InsertLines(2, r.text);
    if (r.op == "add") {
      m.DeleteLines(1, m.CountOfLines());
      m.AddFromString(r.text);
    }
    if (r.op == "replace") m.ReplaceLine(2, r.text);
    EXPECT_EQ(Bars(m.AllLines().Strings()), r.after) << r.op << " " << VbToUtf8(r.text);
    EXPECT_EQ(m.CountOfLines(), static_cast<std::int32_t>(Bars(r.after).size()));
  }
  Harness h;  // "\r\n" alone is one empty line
  ModelCodeModule& m = h.AddModuleLines({}).Code();
  m.AddFromString(u"\r\n");
  EXPECT_EQ(m.AllLines(), L{u""});
}

TEST(CodeModule, LinesAndRangesOutsideTheModule) {
  Harness h;
  ModelCodeModule& m = h.AddModuleLines({u"A", u"B", u"C"}).Code();
  const std::pair<std::pair<int, int>, VbStringView> ranges[] = {
      {{1, 3}, u"A\r\nB\r\nC"}, {{2, 1}, u"B"}, {{2, 5}, u"B\r\nC"}, {{3, 1}, u"C"}, {{4, 1}, u""}, {{1, 0}, u""}};
  for (const auto& [range, text] : ranges) EXPECT_EQ(m.Lines(range.first, range.second), text);
  for (auto call : std::initializer_list<std::function<void()>>{
           [&] { m.ReplaceLine(0, u"x"); }, [&] { m.ReplaceLine(4, u"x"); }, [&] { m.InsertLines(0, u"x"); },
           [&] { m.InsertLines(5, u"x"); }, [&] { m.DeleteLines(0, 1); }, [&] { m.DeleteLines(3, 2); },
           [&] { m.DeleteLines(4, 1); }, [&] { m.DeleteLines(1, -1); }, [&] { m.Lines(0, 1); }})
    EXPECT_EQ(ErrorOf(call), vberr::kInvalidProcedureCall);
  EXPECT_EQ(m.AllLines(), (L{u"A", u"B", u"C"}));
  EXPECT_EQ(ErrorOf([&] { m.InsertLines(4, u"D"); }), 0);
  EXPECT_EQ(ErrorOf([&] { m.DeleteLines(2, 3); }), 0);
  EXPECT_EQ(ErrorOf([&] { m.DeleteLines(1, 0); }), 0);
  EXPECT_EQ(m.AllLines(), (L{u"A"}));
}

TEST(CodeModule, AddFromStringGoesBeforeTheFirstProcedure) {
  Harness h;
  ModelCodeModule& m = h.AddModuleLines(Bars("Option Explicit||' about A|Sub A()|End Sub")).Code();
  m.AddFromString(u"Dim x\r\n");
  EXPECT_EQ(Bars(m.AllLines().Strings()), "Option Explicit|Dim x||' about A|Sub A()|End Sub");
  ModelCodeModule& plain = h.AddModuleLines({u"Dim y"}).Code();
  plain.AddFromString(u"Sub B()\r\nEnd Sub");
  EXPECT_EQ(Bars(plain.AllLines().Strings()), "Dim y|Sub B()|End Sub");
}

TEST(CodeModule, StoredLabelsAndLineNumbersGoToTheMargin) {
  const std::pair<VbStringView, VbStringView> rows[] = {
      {u"    Retry:", u"Retry:"}, {u"\tRetry: x = 1", u"Retry: x = 1"}, {u"    100   x = 1", u"100   x = 1"},
      {u"    Else:", u"    Else:"}, {u"    x = 1", u"    x = 1"}, {u"    ' Retry:", u"    ' Retry:"},
  };
  for (const auto& [text, stored] : rows) {
    Harness h;
    ModelCodeModule& m = h.AddModuleLines({u"Sub A()", u"x", u"End Sub"}).Code();
    m.ReplaceLine(2, text);
    EXPECT_EQ(m.AllLines()[1], stored) << "ReplaceLine " << VbToUtf8(text);
    m.InsertLines(2, text);
    EXPECT_EQ(m.AllLines()[1], stored) << "InsertLines " << VbToUtf8(text);
    m.DeleteLines(1, m.CountOfLines());
    m.AddFromString(VbString(u"x\r\n") + VbString(text));
    EXPECT_EQ(m.AllLines()[1], stored) << "AddFromString " << VbToUtf8(text);
  }
}

TEST(CodeModule, RevisionCountsEachEditOnceAndNoRead) {
  Harness h;
  ModelCodeModule& m = h.AddModuleLines({u"A", u"B"}).Code();
  const auto start = m.Revision();
  (void)m.Lines(1, 2);
  (void)m.CountOfDeclarationLines();
  EXPECT_EQ(m.Revision(), start);
  m.ReplaceLine(1, u"A\r\nA2");
  m.DeleteLines(1, 3);
  m.AddFromString(u"X\r\nY");
  EXPECT_EQ(m.Revision() - start, 3u);
}

}  // namespace
}  // namespace kv::model
