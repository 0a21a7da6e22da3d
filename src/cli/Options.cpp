// The shared options of the kestrova subcommands.
#include "cli/Options.h"

#include <CLI/CLI.hpp>

#include <charconv>

namespace kv::cli {

std::optional<Selection> ParseCaret(std::string_view text) {
  std::vector<std::int32_t> numbers;
  std::size_t start = 0;
  while (true) {
    std::size_t colon = text.find(':', start);
    std::string_view part = text.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start);
    std::int32_t n = 0;
    auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), n);
    if (part.empty() || ec != std::errc() || end != part.data() + part.size()) return std::nullopt;
    numbers.push_back(n);
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  if (numbers.size() == 2) return Selection{numbers[0], numbers[1], numbers[0], numbers[1]};
  if (numbers.size() == 4) return Selection{numbers[0], numbers[1], numbers[2], numbers[3]};
  return std::nullopt;
}

void AddSharedOptions(CLI::App& command, Options& o) {
  command.add_flag("--check", o.check, "write nothing; list the files that would change and exit 1 if any");
  command.add_flag("--diff", o.diff, "write nothing; print a unified diff of the changes and exit 1 if any");
  command
      .add_option_function<std::string>(
          "--caret",
          [&o](const std::string& text) {
            o.caret = ParseCaret(text);
            if (!o.caret) throw CLI::ValidationError("--caret", "expected L:C or L:C:L:C, got '" + text + "'");
          },
          "the selection of the active code pane before the command (default 1:1)")
      ->type_name("L:C[:L:C]");
  command.add_option("--module", o.module, "the active code pane in a project: a module's name or file")
      ->type_name("NAME|FILE");
  command.add_option("--encoding", o.encoding,
                     "the code page of files that are not UTF-8 (default: the team options' CodePage, else "
                     "windows-1252; also gbk, big5, shift_jis, windows-1250 to -1258)")
      ->type_name("NAME");
  command.add_option("--settings", o.settings, "read the options from FILE instead of the user's and the team's")
      ->type_name("FILE");
  command.add_option("--report", o.report, "write a JSON report to FILE ('-' for standard output)")->type_name("FILE");
  command.add_option("--stdin-name", o.stdinName, "the file name standard input stands for (its kind and team options)")
      ->type_name("NAME");
  command.add_flag("-q,--quiet", o.quiet, "print nothing but errors");
  command.add_option("-j,--jobs", o.jobs, "work on N targets at once (default: one per processor core); the "
                                          "output is the same for every N")
      ->type_name("N")
      ->check(CLI::Range(1u, 1024u));
}

}  // namespace kv::cli
