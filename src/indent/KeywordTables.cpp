// The keyword tables of the classifier, built per run, and the keyword test.
#include "indent/KeywordTables.h"

#include <algorithm>
#include <cassert>

namespace kv {

namespace {

constexpr std::array<VbStringView, 13> kBlockOpen = {
    u"If", u"ElseIf", u"Else", u"#If", u"#ElseIf", u"#Else", u"Select Case",
    u"Case", u"With", u"For", u"Do", u"While", u"Open"};
constexpr std::array<VbStringView, 13> kBlockClose = {
    u"ElseIf", u"Else", u"End If", u"#ElseIf", u"#Else", u"#End If", u"Case",
    u"End Select", u"End With", u"Next", u"Loop", u"Wend", u"Close"};
constexpr std::array<VbStringView, 5> kProcEnd = {u"End Sub", u"End Function", u"End Property", u"End Type",
                                                  u"End Enum"};

// The parts of a proc-line entry; every combination is an entry, the modifier
// varying slowest and the kind fastest.
constexpr std::array<VbStringView, 4> kModifiers = {u"", u"Public ", u"Private ", u"Friend "};
constexpr std::array<VbStringView, 2> kStatics = {u"", u"Static "};
constexpr std::array<VbStringView, 7> kKinds = {u"Sub",          u"Function",     u"Property Let", u"Property Get",
                                                u"Property Set", u"Type",         u"Enum"};

}  // namespace

bool StartsWithKeyword(VbStringView text, VbStringView keyword) {
  if (text.size() < keyword.size()) return false;
  for (std::size_t k = 0; k < keyword.size(); ++k) {
    if (AsciiLower(text[k]) != AsciiLower(keyword[k])) return false;
  }
  if (text.size() == keyword.size()) return true;
  char16_t next = text[keyword.size()];
  return IsWhite(next) || next == u':';
}

KeywordTables::KeywordTables(bool indentCase, bool indentProc) : indentProc_(indentProc) {
  blockOpen_.assign(kBlockOpen.begin(), kBlockOpen.end());
  blockClose_.assign(kBlockClose.begin(), kBlockClose.end());
  if (indentCase) {
    blockOpen_.push_back(u"Select Case");
    blockClose_.push_back(u"End Select");
  }
  procEnd_.assign(kProcEnd.begin(), kProcEnd.end());

  procLine_.reserve(kProcLineCount);
  for (VbStringView modifier : kModifiers) {
    for (VbStringView isStatic : kStatics) {
      for (VbStringView kind : kKinds) {
        auto& buffer = procLineText_[procLine_.size()];
        std::size_t n = 0;
        for (VbStringView part : {modifier, isStatic, kind}) {
          assert(n + part.size() <= buffer.size());
          n = std::copy(part.begin(), part.end(), buffer.begin() + n) - buffer.begin();
        }
        procLine_.emplace_back(buffer.data(), n);
      }
    }
  }

  // Views into lowerText_ must stay valid: reserve every entry up front.
  lowerText_.reserve(blockOpen_.size() + blockClose_.size() + procLine_.size() + procEnd_.size());
  for (VbStringView e : blockOpen_) AddProbe(e, Table::BlockOpen);
  for (VbStringView e : blockClose_) AddProbe(e, Table::BlockClose);
  for (VbStringView e : procLine_) AddProbe(e, Table::ProcLine);
  for (VbStringView e : procEnd_) AddProbe(e, Table::ProcEnd);

  // Bucket the probes by first character (every entry starts with an ASCII
  // letter or "#").
  std::stable_sort(probes_.begin(), probes_.end(),
                   [](const Probe& a, const Probe& b) { return a.lower[0] < b.lower[0]; });
  std::size_t p = 0;
  for (std::size_t c = 0; c < 128; ++c) {
    bucket_[c] = static_cast<std::uint8_t>(p);
    while (p < probes_.size() && probes_[p].lower[0] == c) ++p;
  }
  bucket_[128] = static_cast<std::uint8_t>(p);
  assert(p == probes_.size());
}

void KeywordTables::AddProbe(VbStringView entry, Table table) {
  lowerText_.push_back(LCase(entry));
  VbStringView lower = lowerText_.back();
  bool typeOrEnum = table == Table::ProcLine && (EndsWithNoCase(entry, u"Type") || EndsWithNoCase(entry, u"Enum"));
  probes_.push_back(Probe{lower, table, typeOrEnum});
}

KeywordTables::Matches KeywordTables::Match(VbStringView text) const {
  Matches m;
  if (text.empty()) return m;
  char16_t first = AsciiLower(text[0]);
  if (first >= 128) return m;
  for (std::size_t i = bucket_[first]; i < bucket_[first + 1]; ++i) {
    const Probe& probe = probes_[i];
    // The entries are lower case already, so only the text is folded.
    VbStringView k = probe.lower;
    if (text.size() < k.size()) continue;
    std::size_t j = 1;
    while (j < k.size() && AsciiLower(text[j]) == k[j]) ++j;
    if (j < k.size()) continue;
    if (text.size() > k.size()) {
      char16_t next = text[k.size()];
      if (!IsWhite(next) && next != u':') continue;
    }
    switch (probe.table) {
      case Table::BlockOpen: ++m.blockOpens; break;
      case Table::BlockClose: ++m.blockCloses; break;
      case Table::ProcLine:
        ++m.procLines;
        m.typeOrEnumHead = m.typeOrEnumHead || probe.typeOrEnum;
        break;
      case Table::ProcEnd: ++m.procEnds; break;
    }
  }
  return m;
}

}  // namespace kv
