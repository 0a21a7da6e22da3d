// The lines of an INI file, kept exactly as they stand, so that setting one
// key rewrites that key's line and nothing else: comments, blank lines, other
// sections and keys, their order, spelling and line ends all stay.
//
// A line is blank, a comment (first non-blank character ';' or '#'), a
// section header ("[name]", anything after the ']' ignored), an entry
// ("key=value", split at the first '='), or malformed (anything else: text
// without '=', a '[' without ']', an entry without a key). Names and values
// are trimmed of blanks and tabs. The file's own line end (CR LF or LF) is
// used for new lines; a leading UTF-8 byte-order mark is kept.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::platform {

struct IniLine {
  enum class Kind { Blank, Comment, Section, Entry, Malformed };
  Kind kind = Kind::Blank;
  std::string text;   // the line as it stands, without its line end
  std::string end;    // "\r\n", "\n", or "" for a last line without one
  std::string name;   // Section: the name between the brackets; Entry: the key
  std::string value;  // Entry: the text after the first '='
};

// Whether two names are equal ignoring the case of ASCII letters, as profile
// files compare section and key names.
bool IniNamesEqual(std::string_view a, std::string_view b);

class IniText {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  using NameMatch = std::function<bool(std::string_view name)>;

  // `newLineEnd` is used when the text has no line end to copy.
  explicit IniText(std::string_view content, std::string_view newLineEnd = "\r\n");

  const std::vector<IniLine>& Lines() const { return lines_; }
  // The first line that is neither an entry, a section, a comment nor blank.
  std::size_t FirstMalformed() const;

  // The header of the first section whose name matches, or npos.
  std::size_t FindSection(const NameMatch& match) const;
  // The first entry of the section whose header is at `header`, or npos.
  std::size_t FindEntry(std::size_t header, const NameMatch& match) const;

  // Replaces the value of the entry at `line`, keeping its key as spelled and
  // the blanks around its '='.
  void SetValue(std::size_t line, std::string_view value);
  // Adds an entry after the last non-blank line of the section at `header`.
  void AddEntry(std::size_t header, std::string_view key, std::string_view value);
  // Adds a section holding one entry at the end of the text.
  void AddSection(std::string_view section, std::string_view key, std::string_view value);

  std::string ToString() const;

 private:
  void Insert(std::size_t at, std::string text);

  std::vector<IniLine> lines_;
  std::string byteOrderMark_;
  std::string lineEnd_;
};

}  // namespace kv::platform
