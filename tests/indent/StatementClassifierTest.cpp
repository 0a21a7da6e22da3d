// The statement classifier and its keyword tables, one statement at a time.
#include "indent/StatementClassifier.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kv {
namespace {

bool Has(std::string_view list, std::string_view word) { return list.find(word) != std::string_view::npos; }

// before: options and flags going in ("case-off", "proc-off", "if-continues",
// "in-type"); after: the flags that are true coming out ("header",
// "if-continues", "in-type").
struct Row { std::string_view statement; std::string_view before; int opens; int closes; std::string_view after; };

constexpr Row kRows[] = {
    // Block and single-line If. Fault mended: "If a Then: b = 1" opened a block and pushed the rest deeper.
    {"If a > 1 Then", "", 1, 0, ""}, {"If a > 1 Then b = 2", "", 0, 0, ""}, {"If a Then b Else c", "", 0, 0, ""},
    {"If a Then ' note", "", 1, 0, ""}, {"If s = \" Then \" Then", "", 1, 0, ""},
    {"If s = \"x\"\"Then y\" Then", "", 1, 0, ""}, {"If a Then:", "", 0, 0, ""}, {"If a Then:b = 1", "", 0, 0, ""},
    {"If a Then : b = 1", "", 0, 0, ""}, {"If a Then\t", "", 1, 0, ""}, {"If a Then\tb = 1", "", 0, 0, ""},
    {"If Thenx Then", "", 1, 0, ""}, {"If(a) Then", "", 0, 0, ""}, {"If a Then _", "", 0, 0, ""},
    {"If a And _", "", 0, 0, "if-continues"}, {"#If a And _", "", 0, 0, "if-continues"},
    {"If s = \"Then _\" Or _", "", 0, 0, "if-continues"},
    // A head that went on over a continuation is decided where its Then is.
    {"b Then", "if-continues", 1, 0, ""}, {"b Then c = 1", "if-continues", 0, 0, ""},
    {"b Then: c = 1", "if-continues", 0, 0, ""}, {"b And _", "if-continues", 0, 0, "if-continues"},
    {"Then", "if-continues", 1, 0, ""},
    // Opening, re-opening and closing heads.
    {"ElseIf a Then", "", 1, 1, ""}, {"ElseIf a Then b = 1", "", 1, 1, ""}, {"Else", "", 1, 1, ""},
    {"Else:x = 1", "", 1, 1, ""}, {"Else\t", "", 1, 1, ""}, {"End If", "", 0, 1, ""}, {"END IF", "", 0, 1, ""},
    {"EndIf", "", 0, 0, ""}, {"Select Case x", "", 2, 0, ""}, {"Select Case x", "case-off", 1, 0, ""},
    {"Case 1", "", 1, 1, ""}, {"Case Else:", "", 1, 1, ""}, {"End Select", "", 0, 2, ""},
    {"End Select", "case-off", 0, 1, ""}, {"With x", "", 1, 0, ""}, {"For i = 1 To 2", "", 1, 0, ""},
    {"Next", "", 0, 1, ""}, {"Next i, j", "", 0, 1, ""}, {"Do", "", 1, 0, ""}, {"Do While x", "", 1, 0, ""},
    {"DoEvents", "", 0, 0, ""}, {"Loop Until x", "", 0, 1, ""}, {"While x", "", 1, 0, ""}, {"While(x)", "", 0, 0, ""},
    {"Open f For Input As #1", "", 1, 0, ""}, {"Close #1", "", 0, 1, ""}, {"#If VBA7 Then", "", 1, 0, ""},
    {"#ElseIf Win32 Then", "", 1, 1, ""}, {"#Else", "", 1, 1, ""}, {"#End If", "", 0, 1, ""},
    // Heads that match nothing.
    {"10 If a Then", "", 0, 0, ""}, {"Retry:", "", 0, 0, ""}, {"Dim Item As Long", "", 0, 0, ""},
    {"Private Const X = 1", "", 0, 0, ""}, {"Private Declare Function F Lib \"k\" () As Long", "", 0, 0, ""},
    {"Subtotal = 1", "", 0, 0, ""}, {"Case_1 = 2", "", 0, 0, ""}, {"", "", 0, 0, ""},
    // Procedure, Type and Enum heads and ends.
    {"Sub Main()", "", 1, 0, "header"}, {"Private Sub A()", "", 1, 0, "header"},
    {"Private Sub A()", "proc-off", 0, 0, "header"}, {"Public Function F() As Long", "", 1, 0, "header"},
    {"Friend Static Property Get P()", "", 1, 0, "header"}, {"Property Let P(v)", "", 1, 0, "header"},
    {"Private  Sub A()", "", 0, 0, ""}, {"End Sub", "", 0, 1, ""}, {"End Function", "proc-off", 0, 0, ""},
    {"End Property", "", 0, 1, ""}, {"Private Type T", "", 1, 0, "header in-type"},
    {"Private Type T", "proc-off", 0, 0, "header in-type"}, {"Public Enum E", "", 1, 0, "header in-type"},
    {"Type = 5", "", 1, 0, "header in-type"},
    // Type and Enum members are never counted, whatever their names.
    {"Next As Long", "in-type", 0, 0, "in-type"}, {"Case As Integer", "in-type", 0, 0, "in-type"},
    {"If As Long", "in-type", 0, 0, "in-type"}, {"#If VBA7 Then", "in-type", 0, 0, "in-type"},
    {"Sub As Long", "in-type", 0, 0, "header in-type"}, {"End Type", "in-type", 0, 1, ""},
    {"End Type", "in-type proc-off", 0, 0, ""}, {"If a Then", "in-type if-continues", 0, 0, "in-type if-continues"},
};

TEST(StatementClassifier, CountsAndFlagsPerStatement) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(std::string(row.statement) + " [" + std::string(row.before) + "]");
    KeywordTables tables(!Has(row.before, "case-off"), !Has(row.before, "proc-off"));
    IndentFlags flags;
    flags.IfContinues = Has(row.before, "if-continues");
    flags.InTypeOrEnum = Has(row.before, "in-type");
    std::int16_t opens = -9, closes = -9;
    bool header = false;
    f_ClassifyStatement(tables, flags, U(row.statement), opens, closes, header);
    EXPECT_EQ(opens, row.opens);
    EXPECT_EQ(closes, row.closes);
    EXPECT_EQ(header, Has(row.after, "header"));
    EXPECT_EQ(flags.IfContinues, Has(row.after, "if-continues"));
    EXPECT_EQ(flags.InTypeOrEnum, Has(row.after, "in-type"));
  }
}

struct KeywordRow { std::string_view text; std::string_view keyword; bool starts; };

constexpr KeywordRow kKeywordRows[] = {
    {"Else", "Else", true},        {"else x", "Else", true},      {"Else:x", "Else", true},
    {"Else\tx", "Else", true},     {"ElseIf a", "Else", false},   {"Else(", "Else", false},
    {"Else_", "Else", false},      {"Els", "Else", false},        {"End Select", "End Sub", false},
    {"Do", "Do", true},            {"DoEvents", "Do", false},     {"End  If", "End If", false},
    {"#End If", "#End If", true},  {"#EndIf", "#End If", false},
};

TEST(KeywordTables, KeywordTest) {
  for (const KeywordRow& row : kKeywordRows) {
    EXPECT_EQ(StartsWithKeyword(U(row.text), U(row.keyword)), row.starts) << row.text << " / " << row.keyword;
  }
}

TEST(StatementClassifier, Directives) {
  const std::pair<VbStringView, Directive> rows[] = {
      {u"#If VBA7 Then", Directive::If}, {u"#ElseIf A Then", Directive::ElseIf}, {u"#else", Directive::Else},
      {u"#End If ' x", Directive::EndIf}, {u"#Const X = 1", Directive::None}, {u"If a Then", Directive::None},
  };
  for (const auto& [line, directive] : rows) EXPECT_EQ(f_DirectiveOf(line), directive) << VbToUtf8(line);
}

}  // namespace
}  // namespace kv
