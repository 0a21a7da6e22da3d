// The whole-module text commands: delete blank lines, merge runs of blank
// lines, full-width punctuation to ASCII, Private to Public and back.
#include "organize/TextCommands.h"

#include "organize/VbLineScanner.h"
#include "support/frmProgress.h"

namespace kv {

namespace {

// Whether `rest` (a line from its first non-white character) begins with the
// keyword as whole words.
bool BeginsWithKeyword(VbStringView rest, VbStringView keyword) {
  if (!StartsWithNoCase(rest, keyword)) return false;
  if (rest.size() == keyword.size()) return true;
  const char16_t after = rest[keyword.size()];
  return after == kBlank || after == kTab || after == u'(';
}

char16_t ToAsciiPunctuation(char16_t c) {
  // Replacements never produce a character of the table, so one pass gives
  // what replacing row after row would give.
  for (const PunctuationPair& p : kPunctuationTable) {
    if (c == p.from) return p.to;
  }
  return c;
}

// Appends the text with the table's punctuation converted, copying the runs
// in between whole.
void AppendConverted(VbString& out, VbStringView text) {
  std::size_t from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] < u'\u2014') continue;  // below every character of the table
    const char16_t ascii = ToAsciiPunctuation(text[i]);
    if (ascii == text[i]) continue;
    out.append(text.substr(from, i - from));
    out.push_back(ascii);
    from = i + 1;
  }
  out.append(text.substr(from));
}

// Appends the line, preceded by CR LF (an empty line) when it begins with a
// keyword in code that begins a statement, the keyword in the list's letter
// case. `state` is that of the lines before and moves past this one.
template <class Out>
void AppendBrokenBefore(Out& out, VbStringView line, VbLineState& state, std::span<const VbStringView> keywords) {
  const bool fresh = state.FreshStatement();
  ScanVbLine(line, state, [](const VbPiece&) {});
  if (fresh) {
    const VbStringView rest = SkipLeadingWhite(line);
    for (VbStringView keyword : keywords) {
      if (!BeginsWithKeyword(rest, keyword)) continue;
      out.append(kCrLf);
      out.append(line.substr(0, line.size() - rest.size()));
      out.append(keyword);
      out.append(rest.substr(keyword.size()));
      return;
    }
  }
  out.append(line);
}

// clsStringBuilder's Append under the name the helper above uses.
struct BuilderOut {
  clsStringBuilder& builder;
  void append(VbStringView text) { builder.Append(text); }
};

// The walk shared by commands 3 and 4: every line goes through `keep`, which
// appends what it keeps to the builder.
template <class Keep>
VbString Rebuild(VbStringView text, clsStringBuilder& builder, const LineStep& step, Keep&& keep) {
  const std::vector<VbStringView> lines = SplitCrLf(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (step) step(static_cast<std::int32_t>(i));
    keep(lines[i]);
  }
  return builder.ToString();
}

}  // namespace

LineStep ShowLineProgress(CommandContext& ctx) {
  const auto last = static_cast<std::int32_t>(CountCrLfPieces(ctx.moduleText)) - 1;
  Globals& g = ctx.g;
  s_ShowProgress(g, 0, last);
  return [&g, last](std::int32_t i) { s_StepProgress(g, i, 0, last); };
}

VbString f_BreakBefore(VbStringView text, std::span<const VbStringView> keywords) {
  VbString out;
  out.reserve(text.size() + text.size() / 16);
  VbLineState state;
  ForEachCrLfLine(text, [&](VbStringView line, std::size_t index) {
    if (index > 0) out.append(kCrLf);
    AppendBrokenBefore(out, line, state, keywords);
  });
  return out;
}

VbString f_BreakBefore(VbStringView text, VbStringView keyword) {
  return f_BreakBefore(text, std::span<const VbStringView>(&keyword, 1));
}

VbString f_DeleteBlankLines(VbStringView text, clsStringBuilder& builder, const LineStep& step) {
  // One walk drops the blank lines and sets the headers apart: whether a
  // kept line begins a statement depends only on the kept lines above it.
  VbLineState state;
  BuilderOut out{builder};
  return Rebuild(text, builder, step, [&](VbStringView line) {
    // A blank line that a " _" line continues into is part of that statement
    // or comment: without it the next line would continue it instead.
    if (IsBlankLine(line) && state.FreshStatement()) return;
    AppendBrokenBefore(out, line, state, kBreakKeywords);
    builder.Append(kCrLf);
  });
}

VbString f_DeleteBlankLines(VbStringView text) {
  clsStringBuilder builder;
  builder.Initialize(kBuilderSize);
  return f_DeleteBlankLines(text, builder);
}

VbString f_MergeBlankLines(VbStringView text, clsStringBuilder& builder, const LineStep& step) {
  bool previousBlank = false;
  return Rebuild(text, builder, step, [&](VbStringView line) {
    const bool blank = IsBlankLine(line);
    if (!(blank && previousBlank)) {
      builder.Append(line);
      builder.Append(kCrLf);
    }
    previousBlank = blank;
  });
}

VbString f_MergeBlankLines(VbStringView text) {
  clsStringBuilder builder;
  builder.Initialize(kBuilderSize);
  return f_MergeBlankLines(text, builder);
}

VbString f_ChineseSymbolsToEnglish(VbStringView text) {
  VbString out;
  out.reserve(text.size());
  VbLineState state;
  ForEachCrLfLine(text, [&](VbStringView line, std::size_t index) {
    if (index > 0) out.append(kCrLf);
    ScanVbLine(line, state, [&](const VbPiece& piece) {
      if (piece.kind == VbPieceKind::Literal) {
        out.append(piece.text);
      } else {
        AppendConverted(out, piece.text);
      }
    });
  });
  return out;
}

VbString f_ReplaceScopeWord(VbStringView text, VbStringView from, VbStringView to) {
  VbString out;
  out.reserve(text.size() + text.size() / 32);
  VbLineState state;
  bool afterOption = false;  // the word before began a statement and was Option
  ForEachCrLfLine(text, [&](VbStringView line, std::size_t index) {
    if (index > 0) out.append(kCrLf);
    ScanVbLine(line, state, [&](const VbPiece& piece) {
      if (piece.kind != VbPieceKind::Word) {
        out.append(piece.text);
        return;
      }
      const bool swap = !afterOption && EqualsNoCase(piece.text, from);
      out.append(swap ? to : piece.text);
      afterOption = piece.statementStart && EqualsNoCase(piece.text, u"Option");
    });
  });
  return out;
}

VbString f_TrimSpaces(VbStringView text) {
  VbString out;
  out.reserve(text.size());
  ForEachCrLfLine(text, [&](VbStringView line, std::size_t index) {
    if (index > 0) out.append(kCrLf);
    line = SkipLeadingWhite(line);
    while (!line.empty() && (line.back() == kBlank || line.back() == kTab)) line.remove_suffix(1);
    out.append(line);
  });
  return out;
}

void s_TrimSpaces(CommandContext& ctx) {
  if (ctx.lineCount <= 0) return;
  VbString trimmed = f_TrimSpaces(ctx.moduleText);
  if (trimmed != ctx.moduleText) s_ReplaceWholeText(ctx, trimmed);
}

void s_DeleteBlankLines(CommandContext& ctx) {
  if (ctx.lineCount <= 0) return;
  const LineStep step = ShowLineProgress(ctx);
  s_ReplaceWholeText(ctx, f_DeleteBlankLines(ctx.moduleText, ctx.builder1, step));
}

void s_MergeBlankLines(CommandContext& ctx) {
  if (ctx.lineCount < 1) return;
  const LineStep step = ShowLineProgress(ctx);
  s_ReplaceWholeText(ctx, f_MergeBlankLines(ctx.moduleText, ctx.builder1, step));
}

void s_ChineseSymbolsToEnglish(CommandContext& ctx) {
  if (ctx.lineCount <= 0) return;
  s_ReplaceWholeText(ctx, f_ChineseSymbolsToEnglish(ctx.moduleText));
}

void s_PrivateToPublic(CommandContext& ctx) {
  if (ctx.lineCount < 1) return;
  s_ReplaceWholeText(ctx, f_ReplaceScopeWord(ctx.moduleText, u"Private", u"Public"));
}

void s_PublicToPrivate(CommandContext& ctx) {
  if (ctx.lineCount < 1) return;
  s_ReplaceWholeText(ctx, f_ReplaceScopeWord(ctx.moduleText, u"Public", u"Private"));
}

}  // namespace kv
