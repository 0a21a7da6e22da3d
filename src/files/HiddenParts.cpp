// The hidden parts of a module file: taking them out, putting them back.
#include "files/HiddenParts.h"

#include <algorithm>
#include <map>

#include <fmt/format.h>

namespace kv::files {

namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

VbStringView TrimSpace(VbStringView s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// Whether the line's first word (after white space) is `word`.
bool FirstWordIs(VbStringView line, VbStringView word) {
  line = TrimSpace(line);
  return StartsWithNoCase(line, word) && (line.size() == word.size() || IsSpace(line[word.size()]));
}

// `Object = "{...}#2.0#0"; "MSCOMCTL.OCX"`
bool IsObjectLine(VbStringView line) {
  if (!StartsWithNoCase(line, u"Object")) return false;
  VbStringView rest = TrimSpace(line.substr(6));
  return !rest.empty() && rest.front() == u'=';
}

std::string Utf8(VbStringView s) { return VbToUtf8(s); }

// Whether a line still holds the text an attribute group was anchored to.
// White space does not count: indentation changes the blanks inside a line
// too (after a ": " separator, in front of an end-of-line comment).
bool HoldsAnchor(VbStringView line, VbStringView anchor) {
  std::size_t i = 0, j = 0;
  for (;;) {
    while (i < line.size() && IsSpace(line[i])) ++i;
    while (j < anchor.size() && IsSpace(anchor[j])) ++j;
    if (i == line.size() || j == anchor.size()) return i == line.size() && j == anchor.size();
    if (line[i++] != anchor[j++]) return false;
  }
}

// The value of `Attribute VB_Name = "Name"`.
std::optional<VbString> VbNameOf(VbStringView line) {
  if (!FirstWordIs(line, u"Attribute")) return std::nullopt;
  VbStringView rest = TrimSpace(line.substr(9));
  if (!StartsWithNoCase(rest, u"VB_Name")) return std::nullopt;
  rest = TrimSpace(rest.substr(7));
  if (rest.empty() || rest.front() != u'=') return std::nullopt;
  rest = TrimSpace(rest.substr(1));
  if (rest.size() >= 2 && rest.front() == u'"') {
    std::size_t close = rest.find(u'"', 1);
    if (close != VbStringView::npos) return VbString(rest.substr(1, close - 1));
  }
  return VbString(rest);
}

using Key = std::pair<MemberKind, VbString>;  // kind, lower-case name

// Every statement of the code that declares a member, by member: the first
// and last lines of each, in order.
class DeclarationIndex {
 public:
  explicit DeclarationIndex(const std::vector<VbStringView>& code) {
    LineAt at = [&](std::size_t i) { return code[i]; };
    std::size_t i = 0;
    while (i < code.size()) {
      std::size_t last = i;
      if (auto d = ParseDeclaration(at, code.size(), i)) {
        last = d->lastLine;
        for (const VbString& n : d->names) byMember_[{d->kind, LCase(n)}].push_back({i, last});
      } else {
        while (last + 1 < code.size() && ContinuesLine(code[last])) ++last;
      }
      i = last + 1;
    }
  }
  const std::vector<std::pair<std::size_t, std::size_t>>* Find(MemberKind kind, VbStringView name) const {
    auto it = byMember_.find({kind, LCase(name)});
    return it == byMember_.end() ? nullptr : &it->second;
  }

 private:
  std::map<Key, std::vector<std::pair<std::size_t, std::size_t>>> byMember_;
};

}  // namespace

SplitModule SplitHiddenParts(const std::vector<VbStringView>& lines) {
  SplitModule out;
  HiddenParts& h = out.hidden;
  std::size_t i = 0, n = lines.size();
  std::vector<VbStringView> header;

  // The header.
  if (n > 0 && FirstWordIs(lines[0], u"VERSION")) header.push_back(lines[i++]);
  while (i < n) {
    VbStringView line = lines[i];
    if (IsObjectLine(line)) {
      header.push_back(line);
      ++i;
    } else if (FirstWordIs(line, u"Begin")) {
      if (StartsWithNoCase(TrimSpace(TrimSpace(line).substr(5)), u"VB.MDIForm")) h.mdiForm = true;
      std::size_t start = i;
      int depth = 0;
      do {
        if (FirstWordIs(lines[i], u"Begin")) ++depth;
        else if (EqualsNoCase(TrimSpace(lines[i]), u"End")) --depth;
        header.push_back(lines[i++]);
      } while (depth > 0 && i < n);
      if (depth > 0) {
        throw HiddenPartsError(fmt::format("the block that begins on line {} has no End", start + 1));
      }
    } else if (AttributeMember(line)) {
      if (auto name = VbNameOf(line)) h.vbName = *name;
      header.push_back(line);
      ++i;
    } else {
      break;
    }
  }

  h.header.Assign(header);

  // The code, and the Attribute lines in it.
  out.code.reserve(n - i);
  bool lastWasAttribute = false;
  for (; i < n; ++i) {
    VbStringView line = lines[i];
    if (!out.code.empty() && AttributeMember(line)) {
      if (!lastWasAttribute) {
        AttributeGroup g;
        g.after = out.code.size() - 1;
        h.attributes.push_back(std::move(g));
      }
      h.attributes.back().lines.emplace_back(line);
      lastWasAttribute = true;
    } else {
      out.code.push_back(line);
      lastWasAttribute = false;
    }
  }

  // What each group belongs to.
  const std::vector<VbStringView>& code = out.code;
  LineAt at = [&](std::size_t k) { return code[k]; };
  std::optional<DeclarationIndex> index;
  for (AttributeGroup& g : h.attributes) {
    g.statementFirst = g.after;
    while (g.statementFirst > 0 && ContinuesLine(code[g.statementFirst - 1])) --g.statementFirst;
    auto d = ParseDeclaration(at, code.size(), g.statementFirst);
    if (d && d->lastLine == g.after) {
      for (const VbString& line : g.lines) {
        auto member = AttributeMember(line);
        if (member && !member->empty() && d->Declares(*member)) {
          g.kind = d->kind;
          g.member = *member;
          break;
        }
      }
    }
    if (!g.kind) {
      g.anchorText = VbString(TrimSpace(code[g.after]));
      continue;
    }
    if (!index) index.emplace(code);
    if (auto* all = index->Find(*g.kind, g.member)) {
      auto it = std::find_if(all->begin(), all->end(), [&](const auto& s) { return s.first == g.statementFirst; });
      g.occurrence = static_cast<std::size_t>(it - all->begin());
    }
  }
  return out;
}

std::vector<VbStringView> AssembleModule(const HiddenParts& hidden, const std::vector<VbStringView>& code) {
  LineAt at = [&](std::size_t k) { return code[k]; };
  std::optional<DeclarationIndex> index;
  std::vector<std::pair<std::size_t, std::size_t>> placed;  // after which code line, group
  placed.reserve(hidden.attributes.size());

  for (std::size_t gi = 0; gi < hidden.attributes.size(); ++gi) {
    const AttributeGroup& g = hidden.attributes[gi];
    auto gone = [&] {
      return HiddenPartsError(fmt::format("the line \"{}\" has lost the statement it stood under",
                                          Utf8(g.lines.front())));
    };
    if (g.kind) {
      if (auto d = ParseDeclaration(at, code.size(), g.statementFirst); d && d->kind == *g.kind && d->Declares(g.member)) {
        placed.push_back({d->lastLine, gi});
        continue;
      }
      if (!index) index.emplace(code);
      auto* all = index->Find(*g.kind, g.member);
      if (!all) throw gone();
      placed.push_back({(*all)[std::min(g.occurrence, all->size() - 1)].second, gi});
    } else {
      if (g.after < code.size() && HoldsAnchor(code[g.after], g.anchorText)) {
        placed.push_back({g.after, gi});
        continue;
      }
      std::optional<std::size_t> best;
      for (std::size_t k = 0; k < code.size(); ++k) {
        if (!HoldsAnchor(code[k], g.anchorText)) continue;
        auto dist = [&](std::size_t x) { return x > g.after ? x - g.after : g.after - x; };
        if (!best || dist(k) < dist(*best)) best = k;
      }
      if (!best) throw gone();
      placed.push_back({*best, gi});
    }
  }
  std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

  std::vector<VbStringView> out;
  std::size_t total = hidden.header.size() + code.size();
  for (const auto& g : hidden.attributes) total += g.lines.size();
  out.reserve(total);
  for (VbStringView line : hidden.header) out.push_back(line);
  std::size_t next = 0;
  for (std::size_t k = 0; k < code.size(); ++k) {
    out.push_back(code[k]);
    for (; next < placed.size() && placed[next].first == k; ++next) {
      for (const VbString& line : hidden.attributes[placed[next].second].lines) out.push_back(line);
    }
  }
  return out;
}

}  // namespace kv::files
