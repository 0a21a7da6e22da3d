// The four keyword tables the statement classifier matches against, and the
// keyword test.
//
// The tables are built at the start of every indentation run from that run's
// options: IndentCase appends a second "Select Case" to the opening table and
// a second "End Select" to the closing one, so those heads count twice. Every
// entry that a statement starts with adds one to its count; to keep that cheap
// on every statement of a large module, the entries are also kept in buckets
// by their first letter, lower-cased once here, so a statement is compared in
// place with the few entries that can match it and nothing is allocated.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/text/VbText.h"

namespace kv {

// White space between VB's words: a blank or a tab.
constexpr bool IsWhite(char16_t c) { return c == kBlank || c == kTab; }

// The keyword test: `text` (with surrounding white space already removed)
// starts with `keyword`, ignoring letter case, and the character after it is
// white space (a blank or a tab), a colon, or the end of the text. The end of
// the text counts because the classifier's working text is the statement with
// one blank appended.
bool StartsWithKeyword(VbStringView text, VbStringView keyword);

class KeywordTables {
 public:
  static constexpr std::size_t kProcLineCount = 56;
  static constexpr std::size_t kProcEndCount = 5;

  KeywordTables(bool indentCase, bool indentProc);
  KeywordTables(const KeywordTables&) = delete;
  KeywordTables& operator=(const KeywordTables&) = delete;

  bool IndentProc() const { return indentProc_; }

  // The tables as built, in their order.
  const std::vector<VbStringView>& BlockOpenTable() const { return blockOpen_; }
  const std::vector<VbStringView>& BlockCloseTable() const { return blockClose_; }
  const std::vector<VbStringView>& ProcLineTable() const { return procLine_; }
  const std::vector<VbStringView>& ProcEndTable() const { return procEnd_; }

  // What a statement's head matched: one count per matching table entry.
  struct Matches {
    std::int16_t blockOpens = 0;
    std::int16_t blockCloses = 0;
    std::int16_t procLines = 0;
    bool typeOrEnumHead = false;  // one of the proc-line matches ends in Type or Enum
    std::int16_t procEnds = 0;
  };
  // Tests `text` (white space around it already removed) against every entry
  // of the four tables.
  Matches Match(VbStringView text) const;

 private:
  enum class Table : std::uint8_t { BlockOpen, BlockClose, ProcLine, ProcEnd };
  struct Probe {
    VbStringView lower;  // the entry in lower case
    Table table;
    bool typeOrEnum;
  };
  void AddProbe(VbStringView entry, Table table);

  bool indentProc_;
  std::vector<VbStringView> blockOpen_, blockClose_, procLine_, procEnd_;
  // Storage of the composed proc-line entries and of every lower-cased entry.
  std::array<std::array<char16_t, 32>, kProcLineCount> procLineText_{};
  std::vector<VbString> lowerText_;
  // Probes sorted by the first character of their entry; bucket_[c] is the
  // first probe of character c, bucket_[c + 1] one past its last.
  std::vector<Probe> probes_;
  std::array<std::uint8_t, 129> bucket_{};
};

}  // namespace kv
