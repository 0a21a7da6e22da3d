// A headless IDE session for one target.
#include "cli/Session.h"

#include <stdlib.h>

namespace kv::cli {

namespace fs = std::filesystem;

namespace {

// The folder that stands for the Windows directory: private to the session.
fs::path MakeWindowsFolder() {
  std::string pattern = (fs::temp_directory_path() / "kestrova-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return fs::temp_directory_path();
  return pattern;
}

}  // namespace

Session::Session(const SessionSetup& setup) : windowsFolder_(MakeWindowsFolder()) {
  platform_ = std::make_unique<platform::HeadlessPlatform>(platform::HeadlessPlatform::Options{windowsFolder_});
  if (setup.presenter) platform_->SetMessageBoxPresenter(setup.presenter);
  settings_ = std::make_unique<SettingsStore>(setup.settingsFile ? *setup.settingsFile : SettingsStore::DefaultPath());
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
  std::error_code ec;
  if (windowsFolder_ != fs::temp_directory_path()) fs::remove_all(windowsFolder_, ec);
}

void Session::Activate(model::ModelComponent& component, const Selection& caret) {
  model::ModelCodePane& pane = vbe_->OpenCodePane(component);
  vbe_->ActivateCodePane(&pane);
  pane.SetSelection(caret.startLine, caret.startColumn, caret.endLine, caret.endColumn);
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
