// The live example of the options window and s_ShowExample, which rebuilds
// it from the window's controls.
#include "options/ShowExample.h"

#include <cstdint>

#include "options/frmOptions.h"
#include "support/frmAbout.h"

namespace kv {
namespace {

// Line numbers of the example, counted from 1 as the steps name them.
VbString& Line(ExampleText& text, std::size_t number) { return text[number - 1]; }

void IndentLines(ExampleText& text, std::size_t first, std::size_t last, VbStringView unit) {
  for (std::size_t n = first; n <= last; ++n) Line(text, n).insert(0, unit);
}

void TrimLine(ExampleText& text, std::size_t number) { Line(text, number) = Trim(Line(text, number)); }

// The number a corrected box holds; 0 for an empty box. The boxes hold
// digits only, but a stray text must not make the example huge.
std::size_t BoxNumber(VbStringView text, std::size_t cap) {
  std::size_t value = 0;
  for (char16_t c : text) {
    if (!IsAsciiDigit(c)) break;
    value = value * 10 + static_cast<std::size_t>(c - u'0');
    if (value > cap) return cap;
  }
  return value;
}

// Puts the end-of-line comment of a line at column `column` + 1, or two
// spaces after the code when the code is too long for that.
void AlignComment(VbString& line, std::size_t column) {
  std::size_t p = InStr(line, u"'");
  if (p == 0) return;
  VbString code = RTrim(VbStringView(line).substr(0, p - 1)) + u"  ";
  VbString comment = line.substr(p - 1);
  if (column > code.size()) code += Spaces(column - code.size());
  line = code + comment;
}

ExampleText MakeSource() {
  const VbString home = U(kHomePage);
  return {
      u"'Example Procedure",
      u"Sub ExampleProc()",
      u"",
      u"'Kestrova",
      u"'Kestrova 2024-2026, " + home,
      u"",
      u"If You Want More Then",
      u"'Find more tools at " + home,
      u"Select Case X",
      u"Case 1",
      u"'If you have any comments or suggestions,",
      u"MsgBox \"Contact the website\"",
      u"End Select    'Case X",
      u"End If    'More Tools?",
      u"",
      u"Open \"C:\\abc.txt\" For Output As #1",
      u"Print #1, 123456",
      u"Close #1",
      u"End Sub",
  };
}

}  // namespace

const ExampleText& ExampleSource() {
  static const ExampleText source = MakeSource();
  return source;
}

ExampleText BuildExample(const ExampleOptions& options) {
  ExampleText text = ExampleSource();
  const VbString unit = Spaces(BoxNumber(options.spaces, frmOptions::kSpacesLimit));

  IndentLines(text, 8, 13, unit);  // the body of the If block
  IndentLines(text, 11, 12, unit);  // the body of the Case
  if (options.indentCase) IndentLines(text, 10, 12, unit);
  if (!options.indentCmt) {
    // The comments inside the If block go back to the margin, before the
    // procedure level below is added.
    TrimLine(text, 8);
    TrimLine(text, 11);
  }
  if (options.indentProc) IndentLines(text, 3, 18, unit);
  if (!options.indentFirst) {
    TrimLine(text, 4);
    TrimLine(text, 5);
  }
  if (options.alignEOL) {
    // Measured after all the indentation above.
    const std::size_t column = BoxNumber(options.alignColumn, frmOptions::kColumnLimit);
    AlignComment(Line(text, 13), column);
    AlignComment(Line(text, 14), column);
  }
  IndentLines(text, 17, 17, unit);  // the Print between Open and Close
  return text;
}

void frmOptions::s_ShowExample() {
  ++exampleBuilds_;
  const bool proc = Control("cbIndentProc").Ticked();
  const bool eol = Control("cbAlignEOL").Ticked();
  Mutable("cbIndentFirst").enabled = proc;
  Mutable("lblAlignCol").enabled = eol;
  Mutable("tbAlignCol").enabled = eol;

  ExampleOptions options;
  options.spaces = Control("tbSpaceNum").text;
  options.alignColumn = Control("tbAlignCol").text;
  options.indentProc = proc;
  options.indentFirst = Control("cbIndentFirst").Ticked();
  options.indentCmt = Control("cbIndentCmt").Ticked();
  options.indentCase = Control("cbIndentCase").Ticked();
  options.alignEOL = eol;
  const ExampleText text = BuildExample(options);

  FormControl& list = Mutable("lbCodeExample");
  list.items.assign(text.begin(), text.end());
}

}  // namespace kv
