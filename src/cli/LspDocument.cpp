// Running a menu command on an open document: a fresh session per run (so
// the indentation flags one run leaves never reach the next, as with
// `kestrova indent`), the module's code loaded from the parsed file, the menu
// control clicked, and the file's text rendered back.
#include "cli/LspDocument.h"

#include <fstream>

#include "cli/Session.h"
#include "cli/StartCommand.h"
#include "cli/Targets.h"
#include "files/Paths.h"
#include "files/SafeFile.h"
#include "cli/LspText.h"

namespace kv::cli::lsp {

namespace fs = std::filesystem;

namespace {

// The team file, or when neither it nor the user's options name
// IndentSpaces and the client gave a tab size, a copy of it that does.
std::optional<fs::path> OptionsFor(const std::optional<fs::path>& document, const RunSettings& settings) {
  std::optional<fs::path> team = document ? FindTeamSettings(*document) : std::nullopt;
  if (!settings.tabSize) return team;
  SettingsStore probe(std::nullopt);
  probe.SetWarningSink([](std::string_view) {});
  probe.SetOverride(team);
  if (probe.HasSetting(u"IndentSpaces")) return team;
  // Without a team file the copy depends on the tab size alone: written once.
  fs::path file = settings.scratch / ("editor-" + std::to_string(*settings.tabSize) + (team ? "-team.ini" : ".ini"));
  std::error_code ec;
  if (!team && fs::exists(file, ec)) return file;
  fs::remove(file, ec);
  if (team) fs::copy_file(*team, file, ec);
  try {
    SettingsStore(file).WriteSetting(u"IndentSpaces", ToVb(*settings.tabSize));
  } catch (const VbError&) {
    return team;
  }
  return file;
}

}  // namespace

LspDocument::LspDocument(std::string uri, std::string text, files::CodePage& utf8)
    : uri_(std::move(uri)), text_(std::move(text)), utf8_(utf8) {
  if (auto p = PathOfUri(uri_)) path_ = fs::path(*p);
}

void LspDocument::Replace(std::string text) {
  text_ = std::move(text);
  parsed_.reset();
}

files::DecodedModule LspDocument::Decode(const std::string& text) const {
  auto type = files::ModuleTypeOf(path_ ? *path_ : fs::path(uri_));
  if (!type) throw LspFailure(kInvalidParams, "not a VB module file (.bas .cls .frm .ctl .pag .dob .dsr): " + uri_);
  try {
    return files::DecodeModuleFile(text, *type, utf8_, utf8_);
  } catch (const files::FileError& e) {
    throw LspFailure(kRequestFailed, e.what());
  }
}

std::string LspDocument::Run(std::int16_t n, const RunSettings& settings, const std::string* text) {
  std::optional<files::DecodedModule> other;
  if (text) other = Decode(*text);
  else if (!parsed_) parsed_ = Decode(text_);
  const files::DecodedModule& module = text ? *other : *parsed_;

  std::string messages;
  SessionSetup setup;
  setup.teamFile = OptionsFor(path_, settings);
  setup.codePage = &utf8_;
  setup.presenter = [&](const platform::MessageBoxRecord& box) {
    messages += (messages.empty() ? "" : "\n") + VbToUtf8(box.text);
  };
  Session s(setup);
  model::ModelProject& project = s.Vbe().AddProject(u"Project1");
  VbString name = module.file.hidden.vbName;
  if (name.empty()) name = path_ ? U(path_->stem().string()) : VbString(u"Module1");
  model::ModelComponent& component = project.AddComponent(std::move(name), module.file.type);
  component.Code().LoadLines(module.code);
  s.Activate(component, Selection{1, 1, 1, 1});
  if (!StartCommand(s, n)) throw LspFailure(kRequestFailed, messages.empty() ? "the command failed" : messages);

  const model::LineStore& after = component.Code().AllLines();
  if (after == module.code) return text ? *text : text_;
  try {
    return files::EncodeModuleFile(module.file, std::vector<VbStringView>(after.begin(), after.end()));
  } catch (const files::FileError& e) {
    throw LspFailure(kRequestFailed, e.what());
  }
}

}  // namespace kv::cli::lsp
