// What a statement declares: a small reader of the leading keywords of a
// declaration and the names after them.
#include "files/Declarations.h"

namespace kv::files {

namespace {

bool IsNameChar(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_' || c >= 0x80;
}
bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

// Reads words and names out of one logical line.
class Reader {
 public:
  explicit Reader(VbStringView text) : text_(text) {}

  void SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
  }
  // The next word (letters, digits, underscores), without consuming it.
  VbStringView PeekWord() {
    SkipSpace();
    std::size_t end = pos_;
    while (end < text_.size() && IsNameChar(text_[end])) ++end;
    return text_.substr(pos_, end - pos_);
  }
  bool Accept(VbStringView word) {
    VbStringView w = PeekWord();
    if (w.empty() || !EqualsNoCase(w, word)) return false;
    pos_ += w.size();
    return true;
  }
  // A name, plain or in brackets, without its type suffix.
  VbString Name() {
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == u'[') {
      std::size_t close = text_.find(u']', pos_);
      if (close == VbStringView::npos) return {};
      VbString name(text_.substr(pos_ + 1, close - pos_ - 1));
      pos_ = close + 1;
      return name;
    }
    VbString name(PeekWord());
    pos_ += name.size();
    if (pos_ < text_.size() && VbStringView(u"$%&!#@").find(text_[pos_]) != VbStringView::npos) ++pos_;
    if (!name.empty() && name[0] >= u'0' && name[0] <= u'9') return {};
    return name;
  }
  // Skips to just after the next comma at parenthesis depth 0 outside string
  // literals; false at the end of the statement (a comment or a separator).
  bool NextComma() {
    int depth = 0;
    bool inString = false;
    for (; pos_ < text_.size(); ++pos_) {
      char16_t c = text_[pos_];
      if (inString) {
        if (c == u'"') inString = false;
        continue;
      }
      if (c == u'"') inString = true;
      else if (c == u'(') ++depth;
      else if (c == u')') --depth;
      else if (c == u'\'' || c == u':') return false;
      else if (c == u',' && depth <= 0) {
        ++pos_;
        return true;
      }
    }
    return false;
  }

 private:
  VbStringView text_;
  std::size_t pos_ = 0;
};

bool IsModifier(VbStringView w) {
  for (VbStringView m : {u"Public", u"Private", u"Friend", u"Global", u"Static", u"Dim"}) {
    if (EqualsNoCase(w, m)) return true;
  }
  return false;
}

}  // namespace

bool Declaration::Declares(VbStringView name) const {
  for (const VbString& n : names) {
    if (EqualsNoCase(n, name)) return true;
  }
  return false;
}

bool ContinuesLine(VbStringView line) {
  line = RTrimView(line);
  return line.size() >= 2 && line.back() == u'_' && IsSpace(line[line.size() - 2]);
}

namespace {

// Whether a statement that begins with this letter can declare a member:
// Dim, Event, Friend, Function, Global, Public, Private, Property, Static, Sub.
bool CanDeclare(VbStringView line) {
  std::size_t i = 0;
  while (i < line.size() && IsSpace(line[i])) ++i;
  if (i >= line.size()) return false;
  switch (AsciiLower(line[i])) {
    case u'd': case u'e': case u'f': case u'g': case u'p': case u's': return true;
    default: return false;
  }
}

}  // namespace

std::optional<Declaration> ParseDeclaration(const LineAt& line, std::size_t count, std::size_t first) {
  if (first >= count) return std::nullopt;
  VbStringView firstLine = line(first);
  if (!CanDeclare(firstLine)) return std::nullopt;
  // Join the continued lines, each without its " _" (a single line is read
  // where it stands).
  VbString joined;
  VbStringView text = firstLine;
  std::size_t last = first;
  if (ContinuesLine(firstLine) && first + 1 < count) {
    for (;; ++last) {
      VbStringView piece = line(last);
      if (!ContinuesLine(piece) || last + 1 >= count) {
        joined.append(piece);
        break;
      }
      piece = RTrimView(piece);
      joined.append(piece.substr(0, piece.size() - 1));
    }
    text = joined;
  }

  Reader r(text);
  bool modifiers = false;
  bool dimLike = false;  // a modifier that can start a variable declaration
  while (IsModifier(r.PeekWord())) {
    dimLike = dimLike || !EqualsNoCase(r.PeekWord(), u"Friend");
    r.Accept(r.PeekWord());
    modifiers = true;
  }
  Declaration d;
  d.lastLine = last;
  if (r.Accept(u"Sub") || r.Accept(u"Function")) {
    d.kind = MemberKind::Procedure;
  } else if (r.Accept(u"Property")) {
    if (r.Accept(u"Get")) d.kind = MemberKind::PropertyGet;
    else if (r.Accept(u"Let")) d.kind = MemberKind::PropertyLet;
    else if (r.Accept(u"Set")) d.kind = MemberKind::PropertySet;
    else return std::nullopt;
  } else if (r.Accept(u"Event")) {
    d.kind = MemberKind::Event;
  } else if ((modifiers && dimLike) || r.Accept(u"Dim")) {
    // Variables: [WithEvents] name ..., [WithEvents] name ...
    static constexpr VbStringView kNotVariables[] = {u"Declare", u"Type", u"Enum", u"Const", u"Sub", u"Function",
                                                     u"Property", u"Event"};
    for (VbStringView w : kNotVariables) {
      if (EqualsNoCase(r.PeekWord(), w)) return std::nullopt;
    }
    d.kind = MemberKind::Variable;
    do {
      r.Accept(u"WithEvents");
      VbString name = r.Name();
      if (name.empty()) return std::nullopt;
      d.names.push_back(std::move(name));
    } while (r.NextComma());
    return d;
  } else {
    return std::nullopt;
  }
  VbString name = r.Name();
  if (name.empty()) return std::nullopt;
  d.names.push_back(std::move(name));
  return d;
}

std::optional<VbString> AttributeMember(VbStringView line) {
  constexpr VbStringView kWord = u"Attribute";
  if (line.size() <= kWord.size() || !StartsWithNoCase(line, kWord) || !IsSpace(line[kWord.size()])) {
    return std::nullopt;
  }
  std::size_t at = kWord.size();
  while (at < line.size() && IsSpace(line[at])) ++at;
  std::size_t end = at;
  while (end < line.size() && (IsNameChar(line[end]) || line[end] == u'.' || line[end] == u'[')) {
    if (line[end] == u'[') {
      std::size_t close = line.find(u']', end);
      if (close == VbStringView::npos) return std::nullopt;
      end = close;
    }
    ++end;
  }
  if (end == at) return std::nullopt;
  VbStringView target = line.substr(at, end - at);
  std::size_t rest = end;
  while (rest < line.size() && IsSpace(line[rest])) ++rest;
  if (rest >= line.size() || line[rest] != u'=') return std::nullopt;
  std::size_t dot = target.rfind(u'.');
  if (dot == VbStringView::npos) return VbString();
  VbStringView member = target.substr(0, dot);
  if (member.size() >= 2 && member.front() == u'[' && member.back() == u']') member = member.substr(1, member.size() - 2);
  return VbString(member);
}

}  // namespace kv::files
