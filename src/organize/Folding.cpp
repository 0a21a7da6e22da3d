// Folding and unfolding procedures with plain text.
#include "organize/Folding.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "organize/VbLineScanner.h"

namespace kv {

namespace {

// The leading white space and trailing blanks of a line removed: the form in
// which a marker's header and the lines it may name are compared.
VbStringView HeaderKey(VbStringView line) { return RTrimView(SkipLeadingWhite(line)); }

bool IsWordEnd(VbStringView text, std::size_t at) {
  if (at == text.size()) return true;
  const char16_t c = text[at];
  return c == kBlank || c == kTab || c == u':' || c == u'\'';
}

// The run of identifier characters the text begins with.
VbStringView LeadingWord(VbStringView text) {
  std::size_t n = 0;
  while (n < text.size() && IsVbIdentifierChar(text[n])) ++n;
  return text.substr(0, n);
}

// +1 for an #If line, -1 for an #End If line, 0 for anything else.
int ConditionalDepthChange(VbStringView line) {
  VbStringView t = SkipLeadingWhite(line);
  if (t.empty() || t[0] != u'#') return 0;
  t = SkipLeadingWhite(t.substr(1));
  const VbStringView word = LeadingWord(t);
  if (EqualsNoCase(word, u"If")) return 1;
  if (!EqualsNoCase(word, u"End")) return 0;
  return EqualsNoCase(LeadingWord(SkipLeadingWhite(t.substr(word.size()))), u"If") ? -1 : 0;
}

// The module's lines as a linked list, so that unfolding moves a procedure
// in constant time however many folds the module holds. Lines never change,
// they only move; fold markers leave the list when their procedure takes
// their place.
class LineList {
 public:
  static constexpr std::int32_t kNone = -1;

  explicit LineList(VbStringView text) : lines_(SplitCrLf(text)) {
    const auto n = static_cast<std::int32_t>(lines_.size());
    next_.resize(lines_.size());
    prev_.resize(lines_.size());
    for (std::int32_t i = 0; i < n; ++i) {
      next_[i] = i + 1 < n ? i + 1 : kNone;
      prev_[i] = i - 1;
      if (f_LineKind(lines_[i]) == 1) headers_[HeaderKey(lines_[i])].push_back(i);
    }
    head_ = n > 0 ? 0 : kNone;
    tail_ = n - 1;
  }

  std::int32_t Size() const { return static_cast<std::int32_t>(lines_.size()); }
  std::int32_t Head() const { return head_; }
  std::int32_t Tail() const { return tail_; }
  std::int32_t Next(std::int32_t line) const { return next_[line]; }
  VbStringView Line(std::int32_t line) const { return lines_[line]; }

  // Puts the procedure that the marker `marker` (read from `markerText`)
  // names in the marker's place. Returns the line of the restored header, or
  // kNone when nothing matches; the list is then unchanged.
  std::int32_t Unfold(std::int32_t marker, VbStringView markerText) {
    const VbStringView t = SkipLeadingWhite(markerText);
    if (!f_StartsWith(t, kFoldMarker)) return kNone;
    const VbStringView key = HeaderKey(t.substr(kFoldMarker.size()));
    if (key.empty()) return kNone;
    const auto found = headers_.find(key);
    if (found == headers_.end()) return kNone;
    const std::int32_t header = FirstInOrder(found->second);
    std::int32_t end = header;
    while (end != kNone && end != marker && f_LineKind(lines_[end]) != 2) end = next_[end];
    if (end == kNone || end == marker) return kNone;

    Unlink(header, end);
    const std::int32_t before = prev_[marker];
    const std::int32_t after = next_[marker];
    Link(before, header);
    Link(end, after);
    return header;
  }

  // Every line in order, each followed by CR LF.
  VbString Text() const {
    std::size_t size = 0;
    for (std::int32_t i = head_; i != kNone; i = next_[i]) size += lines_[i].size() + 2;
    VbString out;
    out.reserve(size);
    for (std::int32_t i = head_; i != kNone; i = next_[i]) {
      out.append(lines_[i]);
      out.append(kCrLf);
    }
    return out;
  }

 private:
  // The candidate that comes first in the module as it now stands. Two
  // headers with the same text are rare, so only then is the list walked.
  std::int32_t FirstInOrder(const std::vector<std::int32_t>& candidates) const {
    if (candidates.size() == 1) return candidates.front();
    for (std::int32_t i = head_; i != kNone; i = next_[i]) {
      for (std::int32_t c : candidates) {
        if (c == i) return i;
      }
    }
    return candidates.front();
  }

  void Link(std::int32_t a, std::int32_t b) {
    if (a == kNone) {
      head_ = b;
    } else {
      next_[a] = b;
    }
    if (b == kNone) {
      tail_ = a;
    } else {
      prev_[b] = a;
    }
  }

  void Unlink(std::int32_t first, std::int32_t last) { Link(prev_[first], next_[last]); }

  std::vector<VbStringView> lines_;
  std::vector<std::int32_t> next_;
  std::vector<std::int32_t> prev_;
  std::int32_t head_ = kNone;
  std::int32_t tail_ = kNone;
  std::unordered_map<VbStringView, std::vector<std::int32_t>> headers_;
};

}  // namespace

int f_LineKind(VbStringView line) {
  const VbStringView t = SkipLeadingWhite(line);
  std::size_t gap = 0;
  while (gap < t.size() && t[gap] != kBlank && t[gap] != kTab) ++gap;
  if (gap == t.size()) return 0;
  const VbStringView first = t.substr(0, gap);
  const VbStringView rest = t.substr(gap + 1);
  const VbStringView second = LeadingWord(rest);
  if (second.empty() || !IsWordEnd(rest, second.size())) return 0;
  if (!EqualsNoCase(second, u"Sub") && !EqualsNoCase(second, u"Function")) return 0;
  if (EqualsNoCase(first, u"Private") || EqualsNoCase(first, u"Public")) return 1;
  if (EqualsNoCase(first, u"End")) return 2;
  return 0;
}

bool f_StartsWith(VbStringView line, VbStringView text) { return HeaderKey(line).starts_with(text); }

bool f_IsFoldMarker(VbStringView line) { return f_StartsWith(line, kFoldMarker); }

std::optional<VbString> f_FoldText(VbStringView moduleText, std::int32_t first, std::int32_t last,
                                   const LineStep& step) {
  const std::vector<VbStringView> lines = SplitCrLf(moduleText);
  const auto count = static_cast<std::int64_t>(lines.size());
  const std::int64_t from = std::max<std::int64_t>(first, 1) - 1;
  const std::int64_t to = std::min<std::int64_t>(last, count) - 1;

  std::int64_t header = -1;
  for (std::int64_t i = from; i <= to && header < 0; ++i) {
    if (f_LineKind(lines[i]) == 1) header = i;
  }
  if (header < 0) return std::nullopt;
  // Unfold finds the procedure by its header's text alone: with another
  // header of the same text in the module it could bring back the other one.
  for (std::int64_t i = 0; i < count; ++i) {
    if (i != header && f_LineKind(lines[i]) == 1 && HeaderKey(lines[i]) == HeaderKey(lines[header])) {
      return std::nullopt;
    }
  }
  std::int64_t end = -1;
  for (std::int64_t i = header + 1; i <= to && end < 0; ++i) {
    const int kind = f_LineKind(lines[i]);
    if (kind == 1) return std::nullopt;  // the head declared twice, once per #If branch
    if (kind == 2) end = i;
  }
  if (end < 0) return std::nullopt;
  // A head inside an open #If block, or a procedure whose #If lines do not
  // pair up, would leave the block cut in two; such a fold could not be
  // undone.
  int depth = 0;
  for (std::int64_t i = 0; i < header; ++i) depth += ConditionalDepthChange(lines[i]);
  if (depth != 0) return std::nullopt;
  for (std::int64_t i = header; i <= end; ++i) {
    depth += ConditionalDepthChange(lines[i]);
    if (depth < 0) return std::nullopt;
  }
  if (depth != 0) return std::nullopt;

  VbString kept;  // the module with the marker in the header's place
  VbString moved(kCrLf);  // an empty line, then the procedure
  kept.reserve(moduleText.size() + kFoldMarker.size() + 2);
  for (std::int64_t i = 0; i < count; ++i) {
    if (step) step(static_cast<std::int32_t>(i));
    if (i == header) {
      kept.append(kFoldMarker);
      kept.append(lines[i]);
      kept.append(kCrLf);
    }
    VbString& out = i >= header && i <= end ? moved : kept;
    out.append(lines[i]);
    out.append(kCrLf);
  }
  return kept + moved;
}

bool s_Unfold(VbString& line, VbString& moduleText, std::int32_t lineNumber) {
  LineList list(moduleText);
  if (lineNumber < 1 || lineNumber > list.Size()) return false;
  if (list.Unfold(lineNumber - 1, line) == LineList::kNone) return false;
  line = VbString(SkipLeadingWhite(line).substr(kFoldMarker.size()));
  moduleText = list.Text();
  return true;
}

std::optional<VbString> f_UnfoldAllText(VbStringView moduleText) {
  LineList list(moduleText);
  bool unfolded = false;
  for (std::int32_t i = list.Head(); i != LineList::kNone; i = list.Next(i)) {
    // The walk stops short of the module's last line until a first unfold.
    if (i == list.Tail() && !unfolded) break;
    if (!f_IsFoldMarker(list.Line(i))) continue;
    const std::int32_t header = list.Unfold(i, list.Line(i));
    if (header == LineList::kNone) continue;
    unfolded = true;
    i = header;  // the walk goes on through the restored procedure
  }
  if (!unfolded) return std::nullopt;
  return f_DropTrailingBlankLines(list.Text());
}

void s_FoldProcedure(CommandContext& ctx) {
  if (ctx.lineCount < 1) return;
  const Selection selection = s_GetSelection(ctx.g);
  vbide::ProcKind kind = vbide::ProcKind::Proc;
  const VbString name = ctx.module.ProcOfLine(selection.startLine, kind);
  const std::int32_t first = ctx.module.ProcStartLine(name, vbide::ProcKind::Proc);
  const std::int32_t count = ctx.module.ProcCountLines(name, vbide::ProcKind::Proc);
  const auto folded = f_FoldText(ctx.moduleText, first, first + count - 1, ShowLineProgress(ctx));
  if (folded) s_ReplaceWholeText(ctx, *folded);
}

void s_UnfoldProcedure(CommandContext& ctx) {
  if (ctx.lineCount <= 0) return;
  const Selection selection = s_GetSelection(ctx.g);
  VbString line = ctx.module.Lines(selection.startLine, 1);
  if (s_Unfold(line, ctx.moduleText, selection.startLine)) {
    s_ReplaceWholeText(ctx, f_DropTrailingBlankLines(ctx.moduleText));
  }
}

void s_UnfoldAll(CommandContext& ctx) {
  if (ctx.lineCount < 1 || ctx.moduleText.empty()) return;
  if (const auto unfolded = f_UnfoldAllText(ctx.moduleText)) s_ReplaceWholeText(ctx, *unfolded);
}

}  // namespace kv
