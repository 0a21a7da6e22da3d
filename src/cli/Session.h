// One headless IDE session: the platform, the settings store, the in-memory
// IDE and the add-in's state, with the files of a target loaded into it.
//
// A session serves one target after another (module files, projects, the
// same options): the add-in stays connected, and NextTarget closes the last
// target's project and clears what one target could leave behind for the
// next (the indentation flags that outlast a run, the stored caret), so each
// target's result is what a session of its own would give.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "files/CodePage.h"
#include "files/ModelLoader.h"
#include "host/model/ModelVBE.h"
#include "options/modSettings.h"
#include "platform/HeadlessPlatform.h"
#include "support/frmProgress.h"
#include "support/modGlobals.h"

namespace kv::cli {

struct SessionSetup {
  // --settings: this file alone holds the options. Otherwise the user's store
  // with the team file (if any) over it.
  std::optional<std::filesystem::path> settingsFile;
  std::optional<std::filesystem::path> teamFile;
  files::CodePage* codePage = nullptr;
  bool keepOriginals = false;                  // for a diff
  ProgressRenderer* progress = nullptr;        // none draws nothing
  platform::HeadlessPlatform::MessageBoxPresenter presenter;
  SettingsStore::WarningSink warnings;         // none: standard error
};

class Session {
 public:
  explicit Session(const SessionSetup& setup);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session();

  platform::HeadlessPlatform& Platform() { return *platform_; }
  SettingsStore& Settings() { return *settings_; }
  model::ModelVBE& Vbe() { return *vbe_; }
  Globals& G() { return *globals_; }
  files::ModelLoader& Loader() { return *loader_; }

  // Opens the component's code pane as the active one with the selection.
  // Throws VbError when the selection lies outside the module.
  void Activate(model::ModelComponent& component, const Selection& caret);
  // The active pane's selection, or nothing without an active pane.
  std::optional<Selection> ActiveSelection();

  // Closes the projects loaded so far (releasing their code and bytes) and
  // resets the add-in's per-command state, ready for the next target.
  void NextTarget();
  // The message boxes shown since the last NextTarget.
  std::vector<platform::MessageBoxRecord> TargetMessages() const;

  // Whether the add-in is connected; StartCommand connects it once.
  bool connected = false;

 private:
  std::unique_ptr<platform::HeadlessPlatform> platform_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<model::ModelVBE> vbe_;
  std::unique_ptr<Globals> globals_;
  std::unique_ptr<files::ModelLoader> loader_;
  std::size_t boxesBefore_ = 0;
};

// The code page name for files that are not UTF-8: --encoding, else the
// CodePage key of the settings file given or of the team file, else
// windows-1252.
std::string ChooseCodePage(const std::optional<std::string>& encoding, const SessionSetup& setup);

}  // namespace kv::cli
