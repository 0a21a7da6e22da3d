// Text as the language server's client sees it: lines ended by LF, CR LF or a
// lone CR, positions in UTF-16 code units, and the edits that turn one text
// into another.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace kv::cli::lsp {

struct TextEdit {
  std::size_t startLine = 0, startCharacter = 0, endLine = 0, endCharacter = 0;
  std::string newText;
};
nlohmann::json ToJson(const TextEdit& edit);

// The length of UTF-8 text in UTF-16 code units.
std::size_t Utf16Length(std::string_view utf8);

// The lines of a text, each without its line end.
std::vector<std::string_view> LinesOf(std::string_view text);

// The edits that turn `before` into `after`, one per changed line: a line
// whose text changes gets an edit of that text alone, its line end kept (so
// marks and folds on other lines stay). Where the line counts differ, the
// unchanged lines at both ends are matched first, the lines between them
// are paired in order, and the surplus is one removal or insertion.
std::vector<TextEdit> LineEdits(std::string_view before, std::string_view after);

// The file path of a file: URI (percent escapes decoded), or nothing for any
// other scheme.
std::optional<std::string> PathOfUri(std::string_view uri);

}  // namespace kv::cli::lsp
