// The indentation routine, line by line: each case is a module (one row per
// line: the line, the text the routine writes, and the text the IDE then
// shows where that differs) with the options it runs under.
//
// Every case runs twice: once through s_IndentLines on a module that records
// what is written, and once as Indent Module through the dispatcher on the
// model IDE, which keeps labels and line numbers at the margin. Both runs are
// then repeated on their own output, which must not change.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "IndentSupport.h"

namespace kv::test {
namespace {

struct Row {
  std::string_view input;
  std::string_view written;
  const char* shown = nullptr;  // as the IDE shows it, when not as written
};

struct Case { std::string_view name; std::string_view options; std::vector<Row> rows; };

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"Select Case inside If inside Sub", "",
       {{"Sub Test()", "Sub Test()"}, {"If a Then", "    If a Then"}, {"Select Case b", "        Select Case b"},
        {"Case 1", "            Case 1"}, {"x = 1 ' one", "                x = 1@55' one"},
        {"End Select", "        End Select"}, {"End If", "    End If"}, {"End Sub", "End Sub"}}},

      // Fault mended: blanks after a leading tab were kept, so the line changed at every run.
      {"leading blanks and tabs in any mix", "",
       {{"Sub A()", "Sub A()"}, {"\t  x = 1", "    x = 1"}, {"  \tIf a Then", "    If a Then"}, {"\t \t", ""},
        {"\t  ' note", "        ' note"}, {"   ", ""}, {"y = 2\t", "        y = 2\t"},
        {"z = 3 \t  ", "        z = 3 \t"}, {"\tEnd If\t", "    End If\t"}, {"End Sub", "End Sub"}}},

      {"statement separators outside strings", "",
       {{"Sub A()", "Sub A()"}, {"x = 1:   y = 2   ", "    x = 1: y = 2"},
        {"a = \"b: c\":  d = 1", "    a = \"b: c\": d = 1"}, {"s = \"it's\": t = 1", "    s = \"it's\": t = 1"},
        {"q = \"\"\"\":  r = 1", "    q = \"\"\"\": r = 1"}, {"a = b:c = d", "    a = b:c = d"},
        {"x = 1  : y = 2", "    x = 1  : y = 2"}, {"Do: i = i + 1", "    Do: i = i + 1"}, {"Loop", "    Loop"},
        {"End Sub", "End Sub"}}},

      {"continued statements two levels deeper, counted at their end", "",
       {{"Sub A()", "Sub A()"}, {"If a And _", "    If a And _"}, {"b Then", "            b Then"},
        {"x = 1", "        x = 1"}, {"End If", "    End If"}, {"y = Foo(1, _", "    y = Foo(1, _"},
        {"  2)", "            2)"}, {"If a Then _", "    If a Then _"}, {"b = 1", "            b = 1"},
        {"c = 1", "    c = 1"}, {"If a _", "    If a _"}, {"Then b = 1", "            Then b = 1"},
        {"Call Bar(1, _", "    Call Bar(1, _"}, {"2) ' done", "            2)@55' done"}, {"End Sub", "End Sub"}}},

      {"labels and line numbers stand at the margin, outside the statement", "",
       {{"Sub A()", "Sub A()"},
        {"If a Then", "    If a Then"},
        {"Retry:", "Retry:"},
        {"  10 x = 1", "10      x = 1"},
        {"20   y = 2", "20      y = 2"},
        {"Again: ' back here", "Again:@55' back here"},
        {"30 Rem note", "30@55Rem note"},
        {"40", "40"},
        {"45' glued", "45@55' glued"},
        {"LongLabelName: z = 3", "LongLabelName: z = 3"},
        {"50: Do", "50:     Do"},
        {"GoTo Retry", "            GoTo Retry"},
        {"60\tLoop", "60      Loop"},
        {"Else: b = 1", "    Else: b = 1"},
        {"Beep:", "        Beep:"},
        {"x:=1", "        x:=1"},
        {"10x = 1", "        10x = 1"},
        {"End If", "    End If"},
        {"End Sub", "End Sub"}}},

      {"numbered code keeps its blocks", "",
       {{"Private Sub Save()", "Private Sub Save()"},
        {"10 If Dirty Then", "10  If Dirty Then"},
        {"20 WriteFile _", "20      WriteFile _"},
        {"   , 1", "                , 1"},
        {"30 Else", "30  Else"},
        {"40 Select Case x", "40      Select Case x"},
        {"50 Case 1: Beep", "50          Case 1: Beep"},
        {"60 End Select", "60      End Select"},
        {"70 End If", "70  End If"},
        {"10000 x = 1", "10000 x = 1"},
        {"End Sub", "End Sub"}}},

      {"Rem starts a comment only where a statement begins", "",
       {{"Sub A()", "Sub A()"}, {"Rem note", "    Rem note"}, {"x = 1: Rem note", "    x = 1:@55Rem note"},
        {"x = 2: Rem", "    x = 2:@55Rem"}, {"Dim Item As Long: totalrem = 1", "    Dim Item As Long: totalrem = 1"},
        {"lorem = 2", "    lorem = 2"}, {"Remark = 3", "    Remark = 3"}, {"REM caps", "    REM caps"},
        {"End Sub", "End Sub"}}},

      {"end-of-line comments at the column boundary", "AlignEOLCol=20",
       {{"x = 1 ' a", "x = 1@20' a"}, {"abcdefghijklmnopqrs ' b", "abcdefghijklmnopqrs' b"},
        {"abcdefghijklmnopqrst ' c", "abcdefghijklmnopqrst    ' c"}, {"x = \"it's\" ' d", "x = \"it's\"@20' d"},
        {"y = 1    '   e  ", "y = 1@20'   e"}, {"abcdefghijklmnopq: Rem f", "abcdefghijklmnopq:@20Rem f"},
        {"abcdefghijklmnopqr: Rem g", "abcdefghijklmnopqr: Rem g"}}},

      {"no blanks per level", "IndentSpaces=0 AlignEOL=N",
       {{"Sub A()", "Sub A()"}, {"   x = 1   ' c", "x = 1 ' c"}, {"If a Then", "If a Then"}, {"  ' inside", "' inside"},
        {"y = Foo(1, _", "y = Foo(1, _"}, {"  2)", "2)"}, {"End If", "End If"}, {"End Sub", "End Sub"}}},

      // Fault mended: each #If branch counted on the last one, one level deeper at every double head.
      {"#If branches declaring a head twice", "",
       {{"#If VBA7 Then", "#If VBA7 Then"},
        {"Private Sub X(ByVal h As LongPtr)", "    Private Sub X(ByVal h As LongPtr)"}, {"#Else", "#Else"},
        {"Private Sub X(ByVal h As Long)", "    Private Sub X(ByVal h As Long)"}, {"#End If", "#End If"},
        {"y = 1", "    y = 1"}, {"End Sub", "End Sub"}, {"Sub Z()", "Sub Z()"}, {"End Sub", "End Sub"}}},

      {"#If branches nested and unbalanced", "",
       {{"Sub A()", "Sub A()"}, {"#If A Then", "    #If A Then"}, {"If x Then", "        If x Then"},
        {"#ElseIf B Then", "    #ElseIf B Then"}, {"If y Then", "        If y Then"},
        {"#If C Then", "            #If C Then"}, {"z = 1", "                z = 1"}, {"#Else", "            #Else"},
        {"z = 2", "                z = 2"}, {"#End If", "            #End If"},
        {"#Else ' fallback", "    #Else@55' fallback"}, {"If w Then", "        If w Then"}, {"#End If", "    #End If"},
        {"q = 1", "        q = 1"}, {"End If", "    End If"}, {"End Sub", "End Sub"}}},

      {"#Else and #End If whose #If is not in the range", "",
       {{"x = 1", "x = 1"}, {"#Else", "#Else"}, {"x = 2", "    x = 2"}, {"#End If", "#End If"}, {"y = 1", "y = 1"}}},

      {"Type and Enum members named like keywords", "",
       {{"Private Type T", "Private Type T"}, {"Next As Long", "    Next As Long"},
        {"Case As Integer", "    Case As Integer"}, {"  Loop As Long ' counter", "    Loop As Long@55' counter"},
        {"End Type", "End Type"}, {"Public Enum E", "Public Enum E"}, {"Do = 1", "    Do = 1"},
        {"If = 2", "    If = 2"}, {"End Enum", "End Enum"}, {"Sub A()", "Sub A()"}, {"x = 1", "    x = 1"},
        {"End Sub", "End Sub"}}},

      {"comment continuation lines under the comment's text", "",
       {{"Sub A()", "Sub A()"}, {"x = 1 ' Total _", "    x = 1@55' Total _"}, {"and more _", "@57and more _"},
        {"\"quoted\" _", "@57\"quoted\" _"}, {"  ' still", "@57' still"}, {"y = 2", "    y = 2"},
        {"Rem  two _", "    Rem  two _"}, {"next", "@10next"}, {"' a _", "    ' a _"}, {"", ""},
        {"End Sub", "End Sub"}}},
  };
  return cases;
}

std::vector<std::string> Inputs(const Case& c) {
  std::vector<std::string> lines;
  for (const Row& r : c.rows) lines.emplace_back(r.input);
  return lines;
}

std::vector<std::string> Written(const Case& c) {
  std::vector<std::string> lines;
  for (const Row& r : c.rows) lines.push_back(Columns(r.written));
  return lines;
}

std::vector<std::string> Shown(const Case& c) {
  std::vector<std::string> lines;
  for (const Row& r : c.rows) lines.push_back(Columns(r.shown ? r.shown : r.written));
  return lines;
}

TEST(IndentLines, WritesEachLineAsExpected) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(std::string(c.name));
    std::vector<std::string> written = RoutineOutput(Inputs(c), c.options);
    EXPECT_EQ(written, Written(c));
    // Indenting its own output again changes nothing.
    EXPECT_EQ(RoutineOutput(written, c.options), written);
  }
}

TEST(IndentLines, IndentModuleShowsEachLineAsExpected) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(std::string(c.name));
    Harness h;
    WriteOptions(h.settings, c.options);
    h.OpenModuleLines(VbLines(Inputs(c)));
    ASSERT_TRUE(h.RunCommand(cmd::kIndentModule));
    std::vector<std::string> shown = Utf8Lines(h.Lines());
    EXPECT_EQ(shown, Shown(c));
    ASSERT_TRUE(h.RunCommand(cmd::kIndentModule));
    EXPECT_EQ(Utf8Lines(h.Lines()), shown);
    EXPECT_TRUE(h.Messages().empty());
  }
}

// Whole-line comments under every combination of the three comment options:
// the prefix of a comment at the margin, of the block right under a procedure
// head, of one between two statements and of one two levels deep; the
// continuation line of each comment starts under the comment's text.
struct CommentRow { std::string_view options; int top, first, between, deep; };

constexpr CommentRow kCommentRows[] = {
    {"IndentFirst=Y IndentCmt=Y IndentProc=Y", 0, 4, 4, 8}, {"IndentFirst=Y IndentCmt=N IndentProc=Y", 0, 4, 4, 8},
    {"IndentFirst=N IndentCmt=Y IndentProc=Y", 0, 0, 4, 8}, {"IndentFirst=N IndentCmt=N IndentProc=Y", 0, 0, 4, 4},
    {"IndentFirst=Y IndentCmt=Y IndentProc=N", 0, 0, 0, 4}, {"IndentFirst=Y IndentCmt=N IndentProc=N", 0, 0, 0, 4},
    {"IndentFirst=N IndentCmt=Y IndentProc=N", 0, 0, 0, 4}, {"IndentFirst=N IndentCmt=N IndentProc=N", 0, 0, 0, 0},
};

TEST(IndentLines, WholeLineCommentsUnderEachOptionCombination) {
  const std::vector<std::string> input = {
      "' top _",   "  goes on",   "Sub A()", "Rem first _", "goes on", "' still first", "x = 1",
      "' between", "If a Then", "' deep _",  "\tgoes on",   "End If",  "End Sub"};
  auto blanks = [](const std::string& line) { return static_cast<int>(line.find_first_not_of(' ')); };
  for (const CommentRow& row : kCommentRows) {
    SCOPED_TRACE(std::string(row.options));
    std::vector<std::string> out = RoutineOutput(input, row.options);
    EXPECT_EQ(blanks(out[0]), row.top);
    EXPECT_EQ(blanks(out[1]), row.top + 2);
    EXPECT_EQ(blanks(out[3]), row.first);
    EXPECT_EQ(blanks(out[4]), row.first + 4);
    EXPECT_EQ(blanks(out[5]), row.first);
    EXPECT_EQ(blanks(out[7]), row.between);
    EXPECT_EQ(blanks(out[9]), row.deep);
    EXPECT_EQ(blanks(out[10]), row.deep + 2);
    EXPECT_EQ(out[11], row.options.ends_with("IndentProc=Y") ? "    End If" : "End If");
    EXPECT_EQ(RoutineOutput(out, row.options), out);
  }
}

// A header with an end-of-line comment, or a continued statement, keeps the
// comments after it in the first block.
TEST(IndentLines, FirstCommentBlockLastsUntilAPlainCodeLine) {
  const std::vector<std::string> input = {"Sub A() ' head", "' first", "x = 1 ' note", "' still first",
                                          "y = 2",          "' later", "End Sub"};
  std::vector<std::string> out = RoutineOutput(input, "IndentFirst=N");
  EXPECT_EQ(out[1], "' first");
  EXPECT_EQ(out[3], "' still first");
  EXPECT_EQ(out[5], "    ' later");
}

}  // namespace
}  // namespace kv::test
