// The names of the menu commands on the command line.
#include "cli/CommandNames.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace kv::cli {

namespace {

constexpr std::array kNames = {
    CommandName{1, "clear-immediate", "clear the Immediate window"},
    CommandName{2, "insert-custom-text", "insert the custom text at the caret"},
    CommandName{3, "delete-blank-lines", "delete the blank lines of the module"},
    CommandName{4, "merge-blank-lines", "merge runs of blank lines into one"},
    CommandName{5, "add-sub", "add a Private Sub skeleton at the caret"},
    CommandName{6, "add-function", "add a Private Function skeleton at the caret"},
    CommandName{7, "comment", "comment out the selected lines"},
    CommandName{8, "uncomment", "uncomment the selected lines"},
    CommandName{9, "find-previous", "select the previous occurrence of the word at the caret"},
    CommandName{10, "find-all", "list every occurrence of the word at the caret in the project"},
    CommandName{13, "trim-spaces", "delete the blanks and tabs before and after every line"},
    CommandName{14, "indent-procedure", "indent the procedure at the caret"},
    CommandName{15, "indent-module", "indent the module"},
    CommandName{16, "indent-project", "indent every module of the project"},
    CommandName{17, "exit", "remove the add-in's menus and hot keys; changes no code"},
    CommandName{18, "about", "the about window; none opens here: see kestrova about"},
    CommandName{19, "set-up", "the options window; none opens here: see kestrova options"},
    CommandName{20, "ascii-punctuation", "turn full-width punctuation into ASCII"},
    CommandName{21, "private-to-public", "turn every Private into Public"},
    CommandName{22, "public-to-private", "turn every Public into Private"},
    CommandName{23, "add-line-numbers", "number the statement lines of every procedure"},
    CommandName{24, "delete-line-numbers", "delete the line numbers no statement refers to"},
    CommandName{25, "fold", "fold the procedure at the caret"},
    CommandName{26, "unfold", "unfold the folded procedure at the caret"},
    CommandName{27, "unfold-all", "unfold every folded procedure"},
    CommandName{28, "add-chkpro-end", "add the closing line of f_chkPro"},
    CommandName{29, "add-edition-labels", "add the edition label pair"},
    CommandName{30, "comment-pro-code", "comment out the code between the edition labels"},
    CommandName{31, "uncomment-pro-code", "uncomment the code between the edition labels"},
};

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] + 32) : a[i];
    char y = b[i] == '_' ? '-' : b[i];
    if (x == '_') x = '-';
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::span<const CommandName> CommandNames() { return kNames; }

std::optional<std::int16_t> ParseCommand(std::string_view text) {
  // Any whole number is taken as a number, so that the caller can say that
  // no command carries it; one beyond 16 bits stands as the largest.
  long long n = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (end == text.data() + text.size() && !text.empty()) {
    if (ec == std::errc::result_out_of_range || n > INT16_MAX || n < INT16_MIN)
      return text[0] == '-' ? INT16_MIN : INT16_MAX;
    if (ec == std::errc()) return static_cast<std::int16_t>(n);
  }
  for (const CommandName& c : kNames) {
    if (SameNoCase(text, c.name)) return c.number;
  }
  return std::nullopt;
}

}  // namespace kv::cli
