// `kestrova lsp`: a language server on standard input and output.
//
// It formats VB module files for an editor: Format Document is Indent Module,
// a range gets the lines of Indent Module that fall in it, a new line gets its
// indentation, and the whole-module text commands are source actions. Every
// one of them runs through the headless IDE and the add-in's menu, as
// `kestrova run` does, and answers with edits of only the lines that change.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/LspDocument.h"

namespace kv::cli::lsp {

class LspServer {
 public:
  explicit LspServer(std::ostream& out);
  ~LspServer();
  LspServer(const LspServer&) = delete;
  LspServer& operator=(const LspServer&) = delete;

  // Reads and answers messages until `exit` or the end of the input. Returns
  // the process's exit code: 0 after shutdown and exit, 1 otherwise.
  int Serve(std::istream& in);

  // Handles one message body; false after `exit`.
  bool Handle(std::string_view body);

 private:
  using json = nlohmann::json;
  void Request(const json& id, const std::string& method, const json& params);
  void Notification(const std::string& method, const json& params);
  json Answer(const std::string& method, const json& params);

  json Initialize(const json& params);
  json Formatting(const json& params);
  json RangeFormatting(const json& params);
  json OnTypeFormatting(const json& params);
  json CodeActions(const json& params);
  json ExecuteCommand(const json& params);

  LspDocument& Document(const json& params);
  RunSettings Settings(const json& params) const;
  void Send(const json& message);
  void SendError(const json& id, int code, const std::string& message);

  std::ostream& out_;
  std::filesystem::path scratch_;
  std::unique_ptr<files::CodePage> utf8_;
  std::map<std::string, std::unique_ptr<LspDocument>> documents_;
  bool initialized_ = false;
  bool shutdown_ = false;
  int nextRequest_ = 1;
};

}  // namespace kv::cli::lsp
