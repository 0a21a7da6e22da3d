// The language server's messages: lifecycle, document synchronisation,
// formatting and the source actions.
#include "cli/LspServer.h"

#include <stdlib.h>

#include <iostream>
#include <random>
#include <stdexcept>

#include "cli/CommandNames.h"
#include "cli/LspFraming.h"
#include "cli/LspText.h"
#include "organize/modOrganize.h"

#ifndef KV_VERSION
#define KV_VERSION "unknown"
#endif

namespace kv::cli::lsp {

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace {

constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;

// The whole-module commands offered as source actions, those of them that
// have a name on the command line.
std::vector<CommandName> SourceCommands() {
  static constexpr std::int16_t kOffered[] = {3, 4, 13, 20, 21, 22, 23, 24};
  std::vector<CommandName> out;
  for (std::int16_t n : kOffered) {
    for (const CommandName& c : CommandNames()) {
      if (c.number == n) out.push_back(c);
    }
  }
  return out;
}

std::string CommandId(const CommandName& c) { return "kestrova." + std::string(c.name); }

json EditsJson(const std::vector<TextEdit>& edits) {
  json out = json::array();
  out.get_ptr<json::array_t*>()->reserve(edits.size());
  for (const TextEdit& e : edits) out.push_back(ToJson(e));
  return out;
}

// A private folder made anew: files are never written to, nor reused from,
// a folder that others can write to.
fs::path MakeScratch() {
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
#ifdef _WIN32
  // The user's own temporary folder; a name no one has yet.
  std::random_device random;
  for (int attempt = 0; !ec && !base.empty() && attempt < 100; ++attempt) {
    fs::path folder = base / ("kestrova-lsp-" + std::to_string(random()));
    if (fs::create_directory(folder, ec)) return folder;
  }
  throw std::runtime_error("cannot create a temporary folder: set TMP to a folder kestrova can write to");
#else
  std::string pattern = (base / "kestrova-lsp-XXXXXX").string();
  if (ec || base.empty() || !::mkdtemp(pattern.data())) {
    throw std::runtime_error("cannot create a temporary folder: set TMPDIR to a folder kestrova can write to");
  }
  return pattern;
#endif
}

}  // namespace

LspServer::LspServer(std::ostream& out)
    : out_(out), scratch_(MakeScratch()), utf8_(files::CodePage::Open("utf-8")) {}

LspServer::~LspServer() {
  documents_.clear();
  std::error_code ec;
  fs::remove_all(scratch_, ec);
}

int LspServer::Serve(std::istream& in) {
  while (true) {
    Incoming m = ReadMessage(in);
    if (m.kind == Incoming::Kind::End) break;
    if (m.kind == Incoming::Kind::BadHeader) {
      SendError(nullptr, kParseError, m.problem);
      continue;
    }
    if (!Handle(m.body)) return shutdown_ ? 0 : 1;
  }
  return 1;  // the client went away without exit
}

bool LspServer::Handle(std::string_view body) {
  json message = json::parse(body, nullptr, false);
  if (message.is_discarded()) {
    SendError(nullptr, kParseError, "the message is not valid JSON");
    return true;
  }
  if (!message.is_object()) {
    SendError(nullptr, kInvalidRequest, "a message must be a JSON object");
    return true;
  }
  json id = message.contains("id") ? message["id"] : json();
  bool idValid = id.is_number_integer() || id.is_string();
  auto method = message.find("method");
  if (method == message.end()) {
    if (idValid && (message.contains("result") || message.contains("error"))) return true;  // answers to our requests
    SendError(idValid ? id : json(), kInvalidRequest, "a message without a method");
    return true;
  }
  if (!method->is_string() || (message.contains("id") && !idValid)) {
    SendError(idValid ? id : json(), kInvalidRequest, "the method must be a string and the id a number or a string");
    return true;
  }
  json params = message.contains("params") ? message["params"] : json::object();
  if (!message.contains("id")) {
    if (*method == "exit") return false;
    Notification(*method, params);
    return true;
  }
  Request(id, *method, params);
  return true;
}

void LspServer::Request(const json& id, const std::string& method, const json& params) {
  if (!initialized_ && method != "initialize") {
    SendError(id, kServerNotInitialized, "the server is not initialized");
    return;
  }
  if (shutdown_) {
    SendError(id, kInvalidRequest, "the server is shut down");
    return;
  }
  try {
    json response = {{"jsonrpc", "2.0"}, {"id", id}};
    response["result"] = Answer(method, params);  // moved, not copied: it may hold thousands of edits
    Send(response);
  } catch (const LspFailure& e) {
    SendError(id, e.Code(), e.what());
  } catch (const json::exception& e) {
    SendError(id, kInvalidParams, std::string("invalid params: ") + e.what());
  } catch (const std::exception& e) {
    SendError(id, kInternalError, e.what());
  }
}

json LspServer::Answer(const std::string& method, const json& params) {
  if (method == "initialize") return Initialize(params);
  if (method == "shutdown") {
    shutdown_ = true;
    return nullptr;
  }
  if (method == "textDocument/formatting") return Formatting(params);
  if (method == "textDocument/rangeFormatting") return RangeFormatting(params);
  if (method == "textDocument/onTypeFormatting") return OnTypeFormatting(params);
  if (method == "textDocument/codeAction") return CodeActions(params);
  if (method == "workspace/executeCommand") return ExecuteCommand(params);
  throw LspFailure(kMethodNotFound, "unknown method " + method);
}

void LspServer::Notification(const std::string& method, const json& params) {
  if (!initialized_) return;  // dropped, as the protocol asks
  try {
    if (method == "textDocument/didOpen") {
      const json& doc = params.at("textDocument");
      std::string uri = doc.at("uri");
      documents_[uri] = std::make_unique<LspDocument>(uri, doc.at("text").get<std::string>(), *utf8_);
    } else if (method == "textDocument/didChange") {
      const json& changes = params.at("contentChanges");
      if (!changes.empty()) Document(params).Replace(changes.back().at("text").get<std::string>());
    } else if (method == "textDocument/didClose") {
      documents_.erase(params.at("textDocument").at("uri").get<std::string>());
    }
  } catch (const std::exception& e) {
    Send({{"jsonrpc", "2.0"},
          {"method", "window/logMessage"},
          {"params", {{"type", 1}, {"message", method + ": " + e.what()}}}});
  }
}

json LspServer::Initialize(const json&) {
  initialized_ = true;
  json commands = json::array(), kinds = json::array();
  for (const CommandName& c : SourceCommands()) {
    commands.push_back(CommandId(c));
    kinds.push_back("source.kestrova." + std::string(c.name));
  }
  return {{"capabilities",
           {{"textDocumentSync", {{"openClose", true}, {"change", 1}}},
            {"documentFormattingProvider", true},
            {"documentRangeFormattingProvider", true},
            {"documentOnTypeFormattingProvider", {{"firstTriggerCharacter", "\n"}}},
            {"codeActionProvider", {{"codeActionKinds", kinds}}},
            {"executeCommandProvider", {{"commands", commands}}}}},
          {"serverInfo", {{"name", "kestrova"}, {"version", KV_VERSION}}}};
}

LspDocument& LspServer::Document(const json& params) {
  std::string uri = params.at("textDocument").at("uri");
  auto it = documents_.find(uri);
  if (it == documents_.end()) throw LspFailure(kInvalidParams, "the document is not open: " + uri);
  return *it->second;
}

RunSettings LspServer::Settings(const json& params) const {
  RunSettings s;
  s.scratch = scratch_;
  if (params.contains("options") && params["options"].contains("tabSize")) {
    s.tabSize = params["options"]["tabSize"].get<int>();
  }
  return s;
}

json LspServer::Formatting(const json& params) {
  LspDocument& doc = Document(params);
  return EditsJson(LineEdits(doc.Text(), doc.Run(cmd::kIndentModule, Settings(params))));
}

json LspServer::RangeFormatting(const json& params) {
  LspDocument& doc = Document(params);
  const json& range = params.at("range");
  std::size_t first = range.at("start").at("line"), last = range.at("end").at("line");
  // A range that ends at the start of a line leaves that line out.
  if (range.at("end").at("character") == 0 && last > first) --last;
  std::vector<TextEdit> kept;
  for (TextEdit& e : LineEdits(doc.Text(), doc.Run(cmd::kIndentModule, Settings(params)))) {
    if (e.startLine >= first && e.startLine <= last) kept.push_back(std::move(e));
  }
  return EditsJson(kept);
}

json LspServer::OnTypeFormatting(const json& params) {
  LspDocument& doc = Document(params);
  std::size_t line = params.at("position").at("line");
  if (params.at("ch") != "\n") return json::array();
  // The new line's indentation is what Indent Module gives a statement there:
  // an empty line gets a placeholder that opens and closes nothing.
  const std::string& text = doc.Text();
  std::vector<std::string_view> lines = LinesOf(text);
  std::size_t at = 0, length = 0;
  if (line < lines.size()) {
    at = std::size_t(lines[line].data() - text.data());
    length = lines[line].size();
  } else if (line == lines.size() && (text.empty() || text.back() == '\n' || text.back() == '\r')) {
    at = text.size();
  } else {
    return json::array();
  }
  std::string_view old = std::string_view(text).substr(at, length);
  std::size_t blanks = old.find_first_not_of(" \t");
  if (blanks == std::string_view::npos) blanks = old.size();
  std::string probe = text;
  if (blanks == old.size()) probe.replace(at, length, "x");
  std::string after = doc.Run(cmd::kIndentModule, Settings(params), &probe);
  std::vector<std::string_view> newLines = LinesOf(after);
  if (line >= newLines.size()) return json::array();
  std::size_t indent = newLines[line].find_first_not_of(' ');
  if (indent == std::string_view::npos) indent = 0;
  if (old.substr(0, blanks) == std::string(indent, ' ')) return json::array();
  return EditsJson({TextEdit{line, 0, line, blanks, std::string(indent, ' ')}});
}

json LspServer::CodeActions(const json& params) {
  std::string uri = params.at("textDocument").at("uri");
  Document(params);
  json only = params.contains("context") ? params["context"].value("only", json::array()) : json::array();
  json actions = json::array();
  for (const CommandName& c : SourceCommands()) {
    std::string kind = "source.kestrova." + std::string(c.name);
    bool wanted = only.empty();
    for (const json& k : only) {
      std::string prefix = k.get<std::string>();
      if (kind == prefix || kind.starts_with(prefix + ".")) wanted = true;
    }
    if (!wanted) continue;
    std::string title = "Kestrova: " + std::string(c.summary);
    actions.push_back({{"title", title},
                       {"kind", kind},
                       {"command", {{"title", title}, {"command", CommandId(c)}, {"arguments", {uri}}}}});
  }
  return actions;
}

json LspServer::ExecuteCommand(const json& params) {
  std::string id = params.at("command");
  const json& args = params.value("arguments", json::array());
  for (const CommandName& c : SourceCommands()) {
    if (CommandId(c) != id) continue;
    if (args.empty() || !args[0].is_string()) throw LspFailure(kInvalidParams, id + " needs the document's URI");
    std::string uri = args[0];
    LspDocument& doc = Document({{"textDocument", {{"uri", uri}}}});
    std::vector<TextEdit> edits = LineEdits(doc.Text(), doc.Run(c.number, Settings(params)));
    if (!edits.empty()) {
      Send({{"jsonrpc", "2.0"},
            {"id", "kestrova-" + std::to_string(nextRequest_++)},
            {"method", "workspace/applyEdit"},
            {"params", {{"label", "Kestrova: " + std::string(c.summary)}, {"edit", {{"changes", {{uri, EditsJson(edits)}}}}}}}});
    }
    return nullptr;
  }
  throw LspFailure(kInvalidParams, "unknown command " + id);
}

void LspServer::Send(const json& message) { WriteMessage(out_, message); }

void LspServer::SendError(const json& id, int code, const std::string& message) {
  Send({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

}  // namespace kv::cli::lsp
