// A headless IDE session for one target.
#include "cli/Session.h"

namespace kv::cli {

namespace fs = std::filesystem;

Session::Session(const SessionSetup& setup) {
  // No Windows directory: the add-in list file the connection writes stays in
  // memory, so a run touches no file but the ones it was asked to change.
  platform_ = std::make_unique<platform::HeadlessPlatform>(platform::HeadlessPlatform::Options{});
  if (setup.presenter) platform_->SetMessageBoxPresenter(setup.presenter);
  settings_ = std::make_unique<SettingsStore>(setup.settingsFile);
  if (setup.warnings) settings_->SetWarningSink(setup.warnings);
  if (!setup.settingsFile && setup.teamFile) settings_->SetOverride(*setup.teamFile);
  vbe_ = std::make_unique<model::ModelVBE>(*platform_);
  globals_ = std::make_unique<Globals>(*platform_, *settings_);
  globals_->gVBE = vbe_.get();
  globals_->gLanguage = LanguageFromSetting(settings_->ReadSetting(u"Language", u"0"));
  globals_->progressRenderer = setup.progress;
  loader_ = std::make_unique<files::ModelLoader>(*vbe_, *setup.codePage, setup.keepOriginals);
}

Session::~Session() {
  loader_.reset();
  globals_.reset();
  vbe_.reset();
  settings_.reset();
  platform_.reset();
}

void Session::Activate(model::ModelComponent& component, const Selection& caret) {
  model::ModelCodePane& pane = vbe_->OpenCodePane(component);
  vbe_->ActivateCodePane(&pane);
  pane.SetSelection(caret.startLine, caret.startColumn, caret.endLine, caret.endColumn);
}

void Session::NextTarget() {
  loader_->Modules().clear();
  vbe_->CloseProjects();
  globals_->SavedSelection = {};
  globals_->indentFlags = {};
  boxesBefore_ = platform_->MessageBoxes().size();
}

std::vector<platform::MessageBoxRecord> Session::TargetMessages() const {
  const auto& boxes = platform_->MessageBoxes();
  return {boxes.begin() + static_cast<std::ptrdiff_t>(boxesBefore_), boxes.end()};
}

std::optional<Selection> Session::ActiveSelection() {
  vbide::CodePane* pane = vbe_->ActiveCodePane();
  if (!pane) return std::nullopt;
  Selection s;
  pane->GetSelection(s.startLine, s.startColumn, s.endLine, s.endColumn);
  return s;
}

std::string ChooseCodePage(const std::optional<std::string>& encoding, const SessionSetup& setup) {
  if (encoding) return *encoding;
  std::optional<fs::path> file = setup.settingsFile ? setup.settingsFile : setup.teamFile;
  if (file) {
    SettingsStore store(*file);
    store.SetWarningSink([](std::string_view) {});  // the session's own store reports it
    VbString name = store.ReadSetting(u"CodePage", u"");
    if (!TrimView(name).empty()) return VbToUtf8(TrimView(name));
  }
  return "windows-1252";
}

}  // namespace kv::cli
