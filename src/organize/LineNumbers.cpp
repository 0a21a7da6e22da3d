// Adding and deleting line numbers.
#include "organize/LineNumbers.h"

#include <algorithm>
#include <set>
#include <string>

#include "indent/LineLabels.h"
#include "options/modSettings.h"
#include "organize/VbLineScanner.h"

namespace kv {

namespace {

// Whether `rest` begins with the words, each followed by a blank (the last one
// by a blank, "(", a colon, an apostrophe or the end); returns the position
// after them or npos.
std::size_t AfterWord(VbStringView rest, VbStringView word) {
  if (!StartsWithNoCase(rest, word)) return VbStringView::npos;
  if (rest.size() == word.size()) return word.size();
  char16_t c = rest[word.size()];
  if (c == kBlank || c == kTab || c == u'(' || c == u':' || c == u'\'') return word.size();
  return VbStringView::npos;
}

std::size_t SkipBlanks(VbStringView s, std::size_t i) {
  while (i < s.size() && (s[i] == kBlank || s[i] == kTab)) ++i;
  return i;
}

// The name of the Sub, Function or Property a line opens (from its first
// non-white character), or nothing.
std::optional<VbString> ProcedureHead(VbStringView rest) {
  std::size_t i = 0;
  for (VbStringView scope : {u"Public", u"Private", u"Friend"}) {
    if (std::size_t n = AfterWord(rest, scope); n != VbStringView::npos) {
      i = SkipBlanks(rest, n);
      break;
    }
  }
  if (std::size_t n = AfterWord(rest.substr(i), u"Static"); n != VbStringView::npos) i = SkipBlanks(rest, i + n);
  std::size_t n = VbStringView::npos;
  for (VbStringView kind : {u"Sub", u"Function", u"Property Get", u"Property Let", u"Property Set"}) {
    n = AfterWord(rest.substr(i), kind);
    if (n != VbStringView::npos) break;
  }
  if (n == VbStringView::npos || i + n >= rest.size() || (rest[i + n] != kBlank && rest[i + n] != kTab)) {
    return std::nullopt;
  }
  std::size_t from = SkipBlanks(rest, i + n), to = from;
  while (to < rest.size() && IsVbNameChar(rest[to])) ++to;
  if (to == from) return std::nullopt;
  return VbString(rest.substr(from, to - from));
}

bool IsProcedureEnd(VbStringView rest) {
  for (VbStringView end : {u"End Sub", u"End Function", u"End Property"}) {
    if (AfterWord(rest, end) != VbStringView::npos) return true;
  }
  return false;
}

std::int32_t NumberValue(VbStringView digits) {
  std::int32_t value = 0;
  for (char16_t d : digits) {
    value = std::min(value * 10 + (d - u'0'), 1000000);
  }
  return value;
}

// One line of the module as the commands see it.
struct LineInfo {
  VbStringView text;
  bool fresh = false;  // begins a statement (not a continuation of code or comment)
  bool code = false;   // fresh and holds code: not blank, not a whole-line comment
  LineLabel label;
};

// A procedure: its name and the range of its body lines [first, last), from
// the line after its head to its End line.
struct Procedure {
  VbString name;
  std::size_t first, last;
};

struct ModuleLines {
  std::vector<LineInfo> lines;
  std::vector<Procedure> procedures;
};

ModuleLines ReadModule(VbStringView text) {
  ModuleLines m;
  VbLineState state;
  std::optional<Procedure> open;
  bool headGoesOn = false;
  ForEachCrLfLine(text, [&](VbStringView line, std::size_t index) {
    LineInfo info;
    info.text = line;
    info.fresh = state.FreshStatement();
    bool comment = false, any = false;
    ScanVbLine(line, state, [&](const VbPiece& p) {
      if (any) return;
      if (p.kind == VbPieceKind::Comment) comment = true;
      if (p.kind != VbPieceKind::Code || !SkipLeadingWhite(p.text).empty()) any = true;
    });
    info.code = info.fresh && any && !comment;
    if (info.fresh) info.label = f_LineLabel(line);
    const VbStringView rest = info.label.length > 0 ? line.substr(info.label.rest) : SkipLeadingWhite(line);
    if (headGoesOn) {
      headGoesOn = state.statementGoesOn;
      if (!headGoesOn && open) open->first = index + 1;
    } else if (info.fresh && !open) {
      if (auto name = ProcedureHead(rest)) {
        open = Procedure{*name, index + 1, index + 1};
        headGoesOn = state.statementGoesOn;
      }
    } else if (info.fresh && open && IsProcedureEnd(rest)) {
      open->last = index;
      m.procedures.push_back(*open);
      open.reset();
    }
    m.lines.push_back(info);
  });
  return m;
}

// The line with a number in front: at the margin, the statement at its
// column when the indentation (blanks only) is wider than the number.
VbString Numbered(VbStringView line, std::int32_t number) {
  const VbString digits = ToVb(number);
  std::size_t white = 0;
  while (white < line.size() && line[white] == kBlank) ++white;
  const VbStringView rest = SkipLeadingWhite(line);
  VbString out = digits;
  if (white == line.size() - rest.size() && white > digits.size()) {
    out.append(line.substr(digits.size()));
  } else {
    out.push_back(kBlank);
    out.append(rest);
  }
  return out;
}

bool AllDigits(VbStringView word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char16_t c) { return IsAsciiDigit(c); });
}

// The line numbers the statements of the text jump to: after GoTo
// and GoSub (a list of them in On ... GoTo), Resume, and Then or Else.
std::set<std::int32_t> ReferencedNumbers(VbStringView text) {
  std::set<std::int32_t> referenced;
  enum { None, One, List } expect = None;
  VbLineState state;
  ForEachCrLfLine(text, [&](VbStringView line, std::size_t) {
    if (!state.statementGoesOn) expect = None;  // a jump never reaches past its statement
    ScanVbLine(line, state, [&](const VbPiece& p) {
      if (p.kind == VbPieceKind::Word) {
        if (expect != None && AllDigits(p.text)) {
          referenced.insert(NumberValue(p.text));
          if (expect == One) expect = None;
          return;
        }
        expect = None;
        if (EqualsNoCase(p.text, u"GoTo") || EqualsNoCase(p.text, u"GoSub")) expect = List;
        if (EqualsNoCase(p.text, u"Resume") || EqualsNoCase(p.text, u"Then") || EqualsNoCase(p.text, u"Else")) {
          expect = One;
        }
      } else if (p.kind == VbPieceKind::Code) {
        for (char16_t c : p.text) {
          if (c == u',' && expect == List) continue;
          if (c != kBlank && c != kTab && c != u'_') expect = None;
        }
      } else {
        expect = None;
      }
    });
  });
  return referenced;
}

void AppendLines(VbString& out, const std::vector<VbString>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out.append(kCrLf);
    out.append(lines[i]);
  }
}

}  // namespace

LineNumbering f_AddLineNumbers(VbStringView text, std::int32_t start, std::int32_t step) {
  const ModuleLines m = ReadModule(text);
  std::vector<VbString> lines;
  lines.reserve(m.lines.size());
  for (const LineInfo& l : m.lines) lines.emplace_back(l.text);

  LineNumbering result;
  for (const Procedure& p : m.procedures) {
    std::set<std::int32_t> used;
    for (std::size_t i = p.first; i < p.last; ++i) {
      const LineInfo& l = m.lines[i];
      if (l.fresh && l.label.length > 0 && IsAsciiDigit(l.text[l.label.at])) {
        used.insert(NumberValue(l.text.substr(l.label.at, l.label.length)));
      }
    }
    std::vector<std::pair<std::size_t, std::int32_t>> numbers;
    std::int64_t next = start;
    bool fits = true;
    for (std::size_t i = p.first; i < p.last && fits; ++i) {
      const LineInfo& l = m.lines[i];
      if (!l.code || l.label.length > 0 || SkipLeadingWhite(l.text).starts_with(u"#")) continue;
      while (next <= kLargestLineNumber && used.contains(static_cast<std::int32_t>(next))) next += step;
      if (next > kLargestLineNumber) {
        fits = false;
        break;
      }
      numbers.emplace_back(i, static_cast<std::int32_t>(next));
      next += step;
    }
    if (!fits) {
      result.tooLong.push_back(p.name);
      continue;
    }
    for (auto [i, number] : numbers) lines[i] = Numbered(m.lines[i].text, number);
  }
  AppendLines(result.text, lines);
  return result;
}

LineNumberRemoval f_DeleteLineNumbers(VbStringView text) {
  const ModuleLines m = ReadModule(text);
  std::vector<VbString> lines;
  lines.reserve(m.lines.size());
  for (const LineInfo& l : m.lines) lines.emplace_back(l.text);

  LineNumberRemoval result;
  // Line numbers belong to their procedure: a jump refers to a number of its
  // own procedure. Lines outside procedures are read as one more part.
  std::vector<std::pair<std::size_t, std::size_t>> parts;
  std::size_t from = 0;
  for (const Procedure& p : m.procedures) {
    if (p.first > from) parts.emplace_back(from, p.first);
    parts.emplace_back(p.first, p.last);
    from = p.last;
  }
  parts.emplace_back(from, m.lines.size());
  for (auto [first, last] : parts) {
    if (first >= last) continue;
    const VbStringView begin = m.lines[first].text;
    const VbStringView end = m.lines[last - 1].text;
    const std::size_t at = static_cast<std::size_t>(begin.data() - text.data());
    const std::size_t to = static_cast<std::size_t>(end.data() - text.data()) + end.size();
    const std::set<std::int32_t> referenced = ReferencedNumbers(text.substr(at, to - at));
    for (std::size_t i = first; i < last; ++i) {
      const LineInfo& l = m.lines[i];
      if (!l.fresh || !l.label.number) continue;
      if (referenced.contains(NumberValue(l.text.substr(l.label.at, l.label.length)))) {
        ++result.kept;
        continue;
      }
      VbString& line = lines[i];
      std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(l.label.at), l.label.length, kBlank);
      if (IsBlankLine(line)) line.clear();
    }
  }
  AppendLines(result.text, lines);
  return result;
}

std::int32_t ReadLineNumberOption(Globals& g, VbStringView key) {
  std::optional<std::int64_t> value = DecimalTextValue(g.settings.ReadSetting(key, u"10"));
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value.value_or(10), 1, 10000));
}

void s_AddLineNumbers(CommandContext& ctx) {
  if (ctx.lineCount <= 0) return;
  Globals& g = ctx.g;
  LineNumbering r = f_AddLineNumbers(ctx.moduleText, ReadLineNumberOption(g, u"LineNumberStart"),
                                     ReadLineNumberOption(g, u"LineNumberStep"));
  if (r.text != ctx.moduleText) {
    ctx.builder1.Append(r.text);
    s_ReplaceWholeText(ctx, ctx.builder1.ToString());
  }
  if (!r.tooLong.empty()) {
    VbString names;
    for (const VbString& name : r.tooLong) names += (names.empty() ? u"" : u", ") + name;
    g.Message(VbString(g.Text(u"These procedures were left without line numbers, because their numbers would pass 65529: ",
                     u"以下过程的行号会超过65529，未添加行号：")) +
              names);
  }
}

void s_DeleteLineNumbers(CommandContext& ctx) {
  if (ctx.lineCount <= 0) return;
  Globals& g = ctx.g;
  LineNumberRemoval r = f_DeleteLineNumbers(ctx.moduleText);
  if (r.text != ctx.moduleText) {
    ctx.builder1.Append(r.text);
    s_ReplaceWholeText(ctx, ctx.builder1.ToString());
  }
  if (r.kept > 0) {
    g.Message(ToVb(r.kept) + VbString(g.Text(u" line number(s) stayed, because a GoTo, GoSub or Resume statement refers to them.",
                                    u" 个行号被保留，因为有GoTo、GoSub或Resume语句引用它们。")));
  }
}

}  // namespace kv
