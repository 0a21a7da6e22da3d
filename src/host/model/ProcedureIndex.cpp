// Finding the procedures of a module: heads, End lines and line ownership.
#include "host/model/ProcedureIndex.h"

#include <algorithm>

#include "host/model/LineRules.h"
#include "host/model/VbChars.h"

namespace kv::model {

namespace {

// Reads statements word by word: a word is a run of name characters.
class Words {
 public:
  explicit Words(VbStringView text) : text_(text), at_(SkipWhite(text)) {}

  // The next word, or empty when a non-name character comes first.
  VbStringView Next() {
    std::size_t start = at_;
    while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
    return text_.substr(start, at_ - start);
  }
  // Whether blanks or tabs follow the word just read; skips them.
  bool SkipSeparator() {
    std::size_t after = SkipWhite(text_, at_);
    bool any = after > at_;
    at_ = after;
    return any;
  }
  // Whether the statement ends here: end of text, white space, a separator
  // colon or a comment.
  bool AtStatementEnd() const {
    return at_ == text_.size() || IsWhite(text_[at_]) || text_[at_] == u':' || text_[at_] == u'\'';
  }

 private:
  VbStringView text_;
  std::size_t at_;
};

bool IsWord(VbStringView word, VbStringView keyword) { return EqualsNoCase(word, keyword); }

// The text of the statement that starts at `first`: its continued lines joined
// without their " _" markers. Sets `last` to its last line (0-based).
VbString JoinStatement(const LineStore& lines, std::size_t first, std::size_t& last) {
  VbString joined;
  std::size_t i = first;
  for (;; ++i) {
    VbStringView line = lines[i];
    if (!ContinuesOnNextLine(line) || i + 1 == lines.size()) {
      joined.append(line);
      break;
    }
    VbStringView kept = RTrimView(line);
    kept.remove_suffix(1);  // the underscore; its blank stays as the separator
    joined.append(kept);
  }
  last = i;
  return joined;
}

}  // namespace

std::optional<ProcedureHead> ParseProcedureHead(VbStringView statement) {
  Words words(statement);
  VbStringView word = words.Next();
  auto next = [&]() -> bool {
    if (!words.SkipSeparator()) return false;
    word = words.Next();
    return true;
  };
  if (IsWord(word, u"Public") || IsWord(word, u"Private") || IsWord(word, u"Friend")) {
    if (!next()) return std::nullopt;
  }
  if (IsWord(word, u"Static")) {
    if (!next()) return std::nullopt;
  }
  ProcedureHead head;
  if (IsWord(word, u"Property")) {
    if (!next()) return std::nullopt;
    if (IsWord(word, u"Get")) {
      head.kind = vbide::ProcKind::Get;
    } else if (IsWord(word, u"Let")) {
      head.kind = vbide::ProcKind::Let;
    } else if (IsWord(word, u"Set")) {
      head.kind = vbide::ProcKind::Set;
    } else {
      return std::nullopt;
    }
  } else if (!IsWord(word, u"Sub") && !IsWord(word, u"Function")) {
    return std::nullopt;
  }
  if (!next() || word.empty() || !IsLetter(word[0])) return std::nullopt;
  head.name = VbString(word);
  return head;
}

bool IsProcedureEnd(VbStringView statement) {
  Words words(statement);
  if (!IsWord(words.Next(), u"End") || !words.SkipSeparator()) return false;
  VbStringView what = words.Next();
  bool block = IsWord(what, u"Sub") || IsWord(what, u"Function") || IsWord(what, u"Property");
  return block && words.AtStatementEnd();
}

bool IsBlankOrComment(VbStringView line) {
  std::size_t i = SkipWhite(line);
  if (i == line.size() || line[i] == u'\'') return true;
  VbStringView rest = line.substr(i);
  return StartsWithNoCase(rest, u"Rem") && (rest.size() == 3 || IsWhite(rest[3]));
}

ProcedureIndex ProcedureIndex::Scan(const LineStore& lines) {
  ProcedureIndex index;
  auto& procs = index.procedures_;
  const auto count = static_cast<std::int32_t>(lines.size());
  std::int32_t lastDeclaration = 0;  // last code line before the first head
  bool open = false;                 // the last procedure has no End line yet

  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::size_t last = i;
    VbString joined;
    VbStringView statement = lines[i];
    if (ContinuesOnNextLine(statement)) {
      joined = JoinStatement(lines, i, last);
      statement = joined;
    }
    const auto firstLine = static_cast<std::int32_t>(i + 1);
    const auto lastLine = static_cast<std::int32_t>(last + 1);
    i = last;
    if (IsBlankOrComment(statement)) continue;

    if (auto head = ParseProcedureHead(statement)) {
      bool otherBranch =
          open && procs.back().kind == head->kind && EqualsNoCase(procs.back().name, head->name);
      if (otherBranch) continue;
      if (open) procs.back().last = firstLine - 1;
      procs.push_back({std::move(head->name), head->kind, firstLine, 0, 0});
      open = true;
    } else if (open && IsProcedureEnd(statement)) {
      procs.back().last = lastLine;
      open = false;
    } else if (procs.empty()) {
      lastDeclaration = lastLine;
    }
  }

  index.declarationLines_ = procs.empty() ? count : lastDeclaration;
  std::int32_t next = index.declarationLines_ + 1;
  for (Procedure& p : procs) {
    p.first = next;
    next = p.last + 1;
  }
  if (!procs.empty()) procs.back().last = count;
  return index;
}

const Procedure* ProcedureIndex::Owner(std::int32_t line) const {
  if (procedures_.empty() || line < procedures_.front().first) return nullptr;
  auto it = std::upper_bound(procedures_.begin(), procedures_.end(), line,
                             [](std::int32_t l, const Procedure& p) { return l < p.first; });
  return &*(it - 1);
}

const Procedure* ProcedureIndex::Find(VbStringView name, vbide::ProcKind kind) const {
  for (const Procedure& p : procedures_) {
    if (p.kind == kind && EqualsNoCase(p.name, name)) return &p;
  }
  return nullptr;
}

}  // namespace kv::model
