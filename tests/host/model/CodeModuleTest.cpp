// The code module's text rules: splitting, ranges that throw, the margin of
// labels and line numbers, and that edits leave the selection alone.
#include <gtest/gtest.h>

#include <functional>

#include "Harness.h"

namespace kv::model {
namespace {

using L = std::vector<VbString>;
using test::ErrorOf;
using test::Harness;
constexpr std::int32_t kInvalid = vberr::kInvalidProcedureCall;

TEST(CodeModule, TextBecomesLines) {
  struct Row {
    L before;
    int op;  // 0 InsertLines(2), 1 AddFromString on an emptied module, 2 ReplaceLine(2)
    VbStringView text;
    L after;
  };
  const Row rows[] = {
      {{u"1", u"2"}, 0, u"A\r\nB\r\n", {u"1", u"A", u"B", u"2"}},
      {{u"1", u"2"}, 0, u"A\r\nB", {u"1", u"A", u"B", u"2"}}, {{u"1", u"2"}, 0, u"\r\n", {u"1", u"", u"2"}},
      {{u"1", u"2"}, 0, u"", {u"1", u"2"}}, {{u"1", u"2"}, 0, u"A\r\n\r\n", {u"1", u"A", u"", u"2"}},
      {{u"1"}, 1, u"A\r\nB\r\n", {u"A", u"B"}}, {{u"1"}, 1, u"A\r\nB", {u"A", u"B"}}, {{u"1"}, 1, u"\r\n", {u""}},
      {{u"1"}, 1, u"", {}}, {{u"1", u"2", u"3"}, 2, u"A", {u"1", u"A", u"3"}},
      {{u"1", u"2", u"3"}, 2, u"", {u"1", u"", u"3"}}, {{u"1", u"2", u"3"}, 2, u"\r\n", {u"1", u"", u"3"}},
      {{u"1", u"2", u"3"}, 2, u"A\r\nB", {u"1", u"A", u"B", u"3"}},
      {{u"1", u"2", u"3"}, 2, u"A\r\nB\r\n", {u"1", u"A", u"B", u"3"}},
  };
  for (const Row& r : rows) {
    Harness h;
    ModelCodeModule& m = h.AddModuleLines(r.before).Code();
    if (r.op == 0) m.InsertLines(2, r.text);
    if (r.op == 1) {
      m.DeleteLines(1, m.CountOfLines());
      m.AddFromString(r.text);
    }
    if (r.op == 2) m.ReplaceLine(2, r.text);
    EXPECT_EQ(m.AllLines(), r.after) << "op " << r.op << " text " << VbToUtf8(r.text);
    EXPECT_EQ(m.CountOfLines(), static_cast<std::int32_t>(r.after.size()));
  }
}

TEST(CodeModule, LinesJoinsTheExistingLinesOfTheRange) {
  Harness h;
  ModelCodeModule& m = h.AddModuleLines({u"A", u"B", u"C"}).Code();
  EXPECT_EQ(m.Lines(1, 3), u"A\r\nB\r\nC");
  EXPECT_EQ(m.Lines(2, 1), u"B");
  EXPECT_EQ(m.Lines(2, 5), u"B\r\nC");
  EXPECT_EQ(m.Lines(3, 1), u"C");
  EXPECT_EQ(m.Lines(4, 1), u"");
  EXPECT_EQ(m.Lines(1, 0), u"");
}

TEST(CodeModule, RangesOutsideTheModuleThrow) {
  Harness h;
  ModelCodeModule& m = h.AddModuleLines({u"A", u"B", u"C"}).Code();
  for (auto call : std::initializer_list<std::function<void()>>{
           [&] { m.ReplaceLine(0, u"x"); }, [&] { m.ReplaceLine(4, u"x"); }, [&] { m.InsertLines(0, u"x"); },
           [&] { m.InsertLines(5, u"x"); }, [&] { m.DeleteLines(0, 1); }, [&] { m.DeleteLines(3, 2); },
           [&] { m.DeleteLines(4, 1); }, [&] { m.DeleteLines(1, -1); }, [&] { m.Lines(0, 1); }})
    EXPECT_EQ(ErrorOf(call), kInvalid);
  EXPECT_EQ(m.AllLines(), (L{u"A", u"B", u"C"}));
  EXPECT_EQ(ErrorOf([&] { m.InsertLines(4, u"D"); }), 0);
  EXPECT_EQ(ErrorOf([&] { m.DeleteLines(2, 3); }), 0);
  EXPECT_EQ(m.AllLines(), (L{u"A"}));
  EXPECT_EQ(ErrorOf([&] { m.DeleteLines(1, 0); }), 0);
  EXPECT_EQ(m.AllLines(), (L{u"A"}));
}

TEST(CodeModule, AddFromStringGoesBeforeTheFirstProcedure) {
  Harness h;
  ModelCodeModule& m = h.AddModuleLines({u"Option Explicit", u"", u"' about A", u"Sub A()", u"End Sub"}).Code();
  m.AddFromString(u"Dim x\r\n");
  EXPECT_EQ(m.AllLines(), (L{u"Option Explicit", u"Dim x", u"", u"' about A", u"Sub A()", u"End Sub"}));
  ModelCodeModule& plain = h.AddModuleLines({u"Dim y"}).Code();
  plain.AddFromString(u"Sub B()\r\nEnd Sub");
  EXPECT_EQ(plain.AllLines(), (L{u"Dim y", u"Sub B()", u"End Sub"}));
}

TEST(CodeModule, StoredLabelsAndLineNumbersGoToTheMargin) {
  struct Row { VbStringView text; VbStringView stored; };
  const Row rows[] = {
      {u"    Retry:", u"Retry:"}, {u"\tRetry: x = 1", u"Retry: x = 1"}, {u"    100   x = 1", u"100   x = 1"},
      {u"    Else:", u"    Else:"}, {u"    x = 1", u"    x = 1"}, {u"    ' Retry:", u"    ' Retry:"},
  };
  for (const Row& r : rows) {
    Harness h;
    ModelCodeModule& m = h.AddModuleLines({u"Sub A()", u"x", u"End Sub"}).Code();
    m.ReplaceLine(2, r.text);
    EXPECT_EQ(m.AllLines()[1], r.stored) << "ReplaceLine " << VbToUtf8(r.text);
    m.InsertLines(2, r.text);
    EXPECT_EQ(m.AllLines()[1], r.stored) << "InsertLines " << VbToUtf8(r.text);
    m.DeleteLines(1, m.CountOfLines());
    m.AddFromString(VbString(u"x\r\n") + VbString(r.text));
    EXPECT_EQ(m.AllLines()[1], r.stored) << "AddFromString " << VbToUtf8(r.text);
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
