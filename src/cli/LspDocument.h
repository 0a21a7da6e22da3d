// One document the language server's client has open: its text as the editor
// holds it (the whole file, a form's hidden header included), and a menu
// command run on that text in a headless IDE session of its own, by the same
// file layer and the same menu click as `kestrova run`.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "files/CodePage.h"
#include "files/ModuleFile.h"

namespace kv::cli::lsp {

// A request that cannot be answered with a result: carries the protocol's
// error code and the message for the client.
class LspFailure : public std::runtime_error {
 public:
  LspFailure(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

inline constexpr int kInvalidParams = -32602;
inline constexpr int kRequestFailed = -32803;

// What decides the options of a run besides the files.
struct RunSettings {
  std::optional<int> tabSize;        // the client's, used when no file names IndentSpaces
  std::filesystem::path scratch;     // a private folder for the options file it needs
};

class LspDocument {
 public:
  // `utf8` decodes the editor's text; it must outlive the document.
  LspDocument(std::string uri, std::string text, files::CodePage& utf8);

  const std::string& Uri() const { return uri_; }
  const std::string& Text() const { return text_; }
  // The whole new text (full synchronisation); the parsed module is dropped.
  void Replace(std::string text);

  // Runs menu command n on the document's text, or on `text` instead, and
  // returns the text after it. Throws LspFailure when the document is no VB
  // module, its text cannot be read as one, or the command fails.
  std::string Run(std::int16_t n, const RunSettings& settings, const std::string* text = nullptr);

 private:
  files::DecodedModule Decode(const std::string& text) const;

  std::string uri_;
  std::string text_;
  std::optional<std::filesystem::path> path_;
  std::optional<files::DecodedModule> parsed_;  // kept until the text changes
  files::CodePage& utf8_;
};

}  // namespace kv::cli::lsp
