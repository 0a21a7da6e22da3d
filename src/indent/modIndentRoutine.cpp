// The indentation routine: one run over a range of lines.
#include "indent/modIndentRoutine.h"

#include <algorithm>
#include <vector>

#include "indent/IndentOptions.h"
#include "indent/KeywordTables.h"
#include "indent/LineLabels.h"
#include "indent/StatementClassifier.h"
#include "options/modSettings.h"
#include "support/frmProgress.h"
#include "support/modGlobals.h"

namespace kv {

namespace {

// One run: the options and tables of the moment it started, and the state
// that lives for the run only. The buffers are reused from line to line, so
// after the first few lines nothing is allocated here.
class IndentRun {
 public:
  IndentRun(const IndentOptions& options, IndentFlags& flags)
      : o_(options), flags_(flags), tables_(options.IndentCase, options.IndentProc) {
    branches_.reserve(16);
  }

  // Works out the new text of one line; the result (trailing blanks already
  // removed) is valid until the next call.
  VbStringView Line(VbStringView text) {
    if (!flags_.StatementContinues) pending_ = 0;
    Compose(text);
    if (!flags_.StatementContinues) {
      // The statement is complete: its counts go into the level.
      level_ = std::max(level_ + pending_, 0);
      pending_ = 0;
    }
    return FitLine(text, RTrimView(out_));
  }

 private:
  // A conditional-compilation block whose #If this run has seen.
  struct Branches {
    std::int32_t start;     // the level the block began at; its directives stand there
    std::int32_t firstEnd;  // the level its first branch ended at; -1 while in that branch
  };

  void Compose(VbStringView text);
  static VbStringView FitLine(VbStringView before, VbStringView line);
  void Statement(VbStringView statement, bool atLineStart);
  bool Branch(Directive d);
  void AppendBlanks(std::int32_t n) { out_.append(static_cast<std::size_t>(std::max(n, 0)), kBlank); }
  void AppendPrefix(std::int32_t blanks);
  std::int32_t WholeLineCommentPrefix() const;
  void SetCommentColumn(std::size_t commentAt);
  bool RemAt(std::size_t i) const;

  const IndentOptions& o_;
  IndentFlags& flags_;
  KeywordTables tables_;

  std::int32_t level_ = 0;    // current block depth, never below 0 after an update
  std::int32_t pending_ = 0;  // counts of the current statement still to be applied
  bool afterHeader_ = false;
  bool commentContinues_ = false;
  std::int32_t commentColumn_ = 0;
  std::vector<Branches> branches_;

  VbString w_;      // the working text of the line
  VbString out_;    // its new text
  VbString label_;  // the line number or label in front of the statement, if any
};

// The prefix of a line's statement. A line number or label stands at the
// margin, and the statement after it at its column, at least one blank away.
void IndentRun::AppendPrefix(std::int32_t blanks) {
  if (label_.empty()) return AppendBlanks(blanks);
  out_.append(label_);
  AppendBlanks(std::max<std::int32_t>(blanks - static_cast<std::int32_t>(label_.size()), 1));
}

// Applies a statement's counts. One at the start of its line takes its
// closes at once, so a closing head moves its own line out; its opens, and
// the counts of later statements of the line, wait until the statement
// (possibly over several continuation lines) is complete.
void IndentRun::Statement(VbStringView statement, bool atLineStart) {
  const bool counted = !flags_.InTypeOrEnum;
  std::int16_t opens = 0, closes = 0;
  f_ClassifyStatement(tables_, flags_, statement, opens, closes, afterHeader_);
  if (atLineStart && counted) {
    Directive d = f_DirectiveOf(statement);
    if (d != Directive::None && Branch(d)) return;
  }
  if (atLineStart) {
    level_ = std::max(level_ - closes, 0);
    pending_ += opens;
  } else {
    pending_ += opens - closes;
  }
}

// The branches of a conditional-compilation block are alternatives: only one
// of them is compiled. So each branch starts one level in from the block's own
// level, whatever the branch before it left open or closed, and after #End If
// the code goes on where the first branch left it, less the one level the
// block itself opened. For
// balanced branches this is the same as counting the directives as opening and
// closing heads. A directive whose #If lies before the run's range is counted
// like any other head. Returns whether the directive was handled here.
bool IndentRun::Branch(Directive d) {
  switch (d) {
    case Directive::If:
      branches_.push_back(Branches{level_, -1});
      return false;  // opens like an If (or on the line that holds its Then)
    case Directive::ElseIf:
    case Directive::Else:
    case Directive::EndIf: {
      if (branches_.empty()) return false;
      Branches& block = branches_.back();
      if (block.firstEnd < 0) block.firstEnd = std::max(level_ + pending_, 0);
      level_ = block.start;
      if (d == Directive::EndIf) {
        pending_ = block.firstEnd - 1 - block.start;
        branches_.pop_back();
      } else {
        pending_ = 1;
      }
      return true;
    }
    case Directive::None: break;
  }
  return false;
}

// VB6 loads no line longer than 1,023 characters. The blanks in front of a
// line's text give way so that it fits; a line whose text alone is longer
// keeps the blanks it had, and so stays as it was.
VbStringView IndentRun::FitLine(VbStringView before, VbStringView line) {
  constexpr std::size_t kLongestLine = 1023;
  if (line.size() <= kLongestLine) return line;
  std::size_t blanks = std::min(line.find_first_not_of(kBlank), line.size());
  std::size_t excess = line.size() - kLongestLine;
  return excess <= blanks ? line.substr(excess) : before;
}

// The prefix of a whole-line comment.
std::int32_t IndentRun::WholeLineCommentPrefix() const {
  if (o_.IndentFirst || (o_.IndentCmt && !afterHeader_)) return level_ * o_.IndentSpaces;
  if (level_ > 0 && o_.IndentProc && !afterHeader_) return o_.IndentSpaces;
  return 0;
}

// A comment's continuation lines start their text under the first
// character of the comment's text, just after its marker and the blanks that
// follow it. `commentAt` is the 0-based position of the marker in out_.
void IndentRun::SetCommentColumn(std::size_t commentAt) {
  std::size_t q = commentAt + (out_[commentAt] == u'\'' ? 1 : 3);
  while (q < out_.size() && out_[q] == kBlank) ++q;
  commentColumn_ = static_cast<std::int32_t>(q);
}

// Rem starts a comment only where a statement begins; elsewhere "rem " is the
// end of a name (totalrem = 1). An apostrophe right after it goes on with the
// same comment: read as the code "Rem" and a comment after it, the line would
// get blanks in front of the apostrophe and read as a Rem comment next time.
bool IndentRun::RemAt(std::size_t i) const {
  if (w_.size() < i + 3) return false;
  if (AsciiLower(w_[i]) != u'r' || AsciiLower(w_[i + 1]) != u'e' || AsciiLower(w_[i + 2]) != u'm') return false;
  return w_.size() == i + 3 || IsWhite(w_[i + 3]) || w_[i + 3] == u'\'';
}

void IndentRun::Compose(VbStringView text) {
  // All leading white space goes, blanks and tabs in any mix; trailing blanks
  // go, trailing tabs stay.
  std::size_t b = 0, e = text.size();
  while (b < e && IsWhite(text[b])) ++b;
  while (e > b && text[e - 1] == kBlank) --e;
  out_.clear();
  if (b == e) {
    // An empty line ends a comment that went on over a line continuation.
    commentContinues_ = false;
    return;
  }

  w_.assign(text.substr(b, e - b));
  w_.push_back(kBlank);
  label_.clear();

  if (commentContinues_) {
    // The line goes on with the comment above: a comment from its first
    // character, whatever that is, under the text of the comment's first line.
    AppendBlanks(commentColumn_);
    out_.append(w_);
    commentContinues_ = f_EndsWithContinuation(out_);
    return;
  }

  // A line number or label in front of a statement stands outside it: the
  // statement after it is what counts. A line that continues a statement
  // has none.
  if (!flags_.StatementContinues) {
    LineLabel label = f_LineLabel(w_);
    if (label.length > 0) {
      label_.assign(w_, label.at, label.length);
      w_.erase(0, label.rest);
      if (w_.empty()) {
        out_.append(label_);  // alone on its line
        return;
      }
    }
  }

  // Cut the line into statements at ": " separators and find where a comment
  // starts, outside string literals. A literal runs from its quote to the
  // next one (a doubled quote inside it just starts the next literal), or to
  // the end of an unterminated line.
  //
  // This reading is narrower than VbLineScanner's, on purpose: statements
  // part only at ": ", and Rem opens a comment only at the line's start or
  // after such a separator, never after Then, Else, a line number or a bare
  // colon ("x = 1:Rem y" stays code). Those rules decide where every line is
  // placed, so reading lines the scanner's way would move lines that
  // indented modules hold today.
  std::size_t start = 0;  // where the current statement begins
  std::size_t comment = RemAt(0) ? 0 : VbString::npos;
  std::size_t i = 0;
  while (comment == VbString::npos && i < w_.size()) {
    char16_t c = w_[i];
    if (c == u'"') {
      std::size_t close = w_.find(u'"', i + 1);
      i = close == VbString::npos ? w_.size() : close + 1;
    } else if (c == u'\'') {
      comment = i;
    } else if (c == u':' && i + 1 < w_.size() && w_[i + 1] == kBlank) {
      // Exactly one blank follows the separator; the rest loses its blanks at
      // both ends.
      std::size_t restAt = i + 2, j = restAt;
      while (j < w_.size() && w_[j] == kBlank) ++j;
      w_.erase(restAt, j - restAt);
      while (w_.size() > restAt && w_.back() == kBlank) w_.pop_back();
      Statement(VbStringView(w_).substr(start, i + 1 - start), start == 0);
      start = i = restAt;
      if (RemAt(start)) comment = start;
    } else {
      ++i;
    }
  }

  if (comment == 0 && label_.empty()) {
    // A whole-line comment: nothing is classified.
    AppendBlanks(WholeLineCommentPrefix());
    std::size_t at = out_.size();
    out_.append(w_);
    SetCommentColumn(at);
    commentContinues_ = f_EndsWithContinuation(out_);
    return;
  }

  const std::int32_t depthIfContinued = 2;
  if (comment != VbString::npos) {
    // Code with an end-of-line comment.
    // After a line number or label, a comment with no code before it
    // follows the label as an end-of-line comment.
    VbStringView line(w_);
    VbStringView code = TrimView(line.substr(0, comment));
    VbStringView note = TrimView(line.substr(comment));
    if (code.empty()) {
      out_.append(label_);
    } else {
      Statement(line.substr(start, comment - start), start == 0);
      AppendPrefix((flags_.StatementContinues ? level_ + depthIfContinued : level_) * o_.IndentSpaces);
      out_.append(code);
    }
    flags_.StatementContinues = f_EndsWithContinuation(out_);
    std::int32_t pad;
    auto length = static_cast<std::int32_t>(out_.size());
    if (o_.AlignEOL && length < o_.AlignEOLCol) {
      pad = o_.AlignEOLCol - length - 1;
    } else {
      pad = o_.IndentSpaces > 0 ? o_.IndentSpaces : 1;
    }
    // A Rem glued to its separator's colon would no longer start a statement
    // at the next run.
    if (pad == 0 && note[0] != u'\'') pad = 1;
    AppendBlanks(pad);
    std::size_t at = out_.size();
    out_.append(note);
    SetCommentColumn(at);
    commentContinues_ = f_EndsWithContinuation(out_);
  } else {
    // Code only. After a separator, a last statement of one character cannot
    // be a keyword and is not classified.
    if (start + 1 < w_.size()) {
      if (!flags_.StatementContinues) afterHeader_ = false;
      Statement(VbStringView(w_).substr(start), start == 0);
    }
    AppendPrefix((flags_.StatementContinues ? level_ + depthIfContinued : level_) * o_.IndentSpaces);
    out_.append(w_);
    flags_.StatementContinues = f_EndsWithContinuation(out_);
  }
}

}  // namespace

void s_IndentLines(Globals& g, vbide::CodeModule& module, VbStringView name, std::int32_t startLine,
                   std::int32_t endLine, std::int32_t progressOffset) {
  const IndentOptions options = ReadIndentOptions(g.settings);
  IndentRun run(options, g.indentFlags);
  ResumeNext([&] {
    VbString message = u"Rebuilding '";
    message.append(name);
    message.append(u"'");
    ProgressWindow(g).SetMessageText(message);
  });

  for (std::int32_t line = startLine; line <= endLine; ++line) {
    ResumeNext([&] { s_StepProgress(g, progressOffset + (line - startLine), 0, 0); });
    VbString text;
    // A line that cannot be read is left as it is.
    if (!ResumeNext([&] { text = module.Lines(line, 1); })) continue;
    VbStringView indented = run.Line(text);
    ResumeNext([&] { module.ReplaceLine(line, indented); });
  }
}

}  // namespace kv
