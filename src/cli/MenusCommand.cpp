// kestrova menus: connects the add-in to an in-memory IDE and lists every
// control it created there, in the IDE's order, one tab-separated line each:
// the bar (pop-ups above the control joined with " > "), the position in that
// bar, the caption, the FaceId, the style, whether a group begins there and
// the Parameter. The captions follow the Language option, as in the IDE.
#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "cli/Cli.h"
#include "cli/Subcommands.h"
#include "cli/Targets.h"
#include "host/Connect.h"
#include "host/model/ModelVBE.h"
#include "options/modSettings.h"
#include "platform/HeadlessPlatform.h"
#include "support/modGlobals.h"

namespace kv::cli {

namespace fs = std::filesystem;

namespace {

struct MenusOptions {
  std::optional<std::string> settings;
  std::string ide = "english";
};

std::string StyleName(const model::ControlData& d) {
  if (d.type == vbide::ControlType::Popup) return "-";
  switch (d.style) {
    case vbide::ButtonStyle::Icon: return "icon";
    case vbide::ButtonStyle::Caption: return "caption";
    case vbide::ButtonStyle::IconAndCaption: return "icon and caption";
  }
  return "automatic";
}

int ListMenus(const MenusOptions& o, Console& console) {
  platform::HeadlessPlatform platform({});  // the add-in list file stays in memory
  platform.SetMessageBoxPresenter(
      [&](const platform::MessageBoxRecord& box) { console.err << "kestrova: " << VbToUtf8(box.text) << "\n"; });
  SettingsStore settings(o.settings ? std::optional<fs::path>(*o.settings) : std::nullopt);
  if (!o.settings) {
    if (auto team = FindTeamSettings(fs::current_path() / kTeamSettingsName)) settings.SetOverride(*team);
  }
  model::ModelOptions ideOptions;
  ideOptions.language = o.ide == "chinese" ? model::Language::Chinese : model::Language::English;
  model::ModelVBE vbe(platform, ideOptions);
  Globals g(platform, settings);
  Connect connect(g);
  connect.AddinInstance_OnConnection(&vbe);

  console.out << "bar\tposition\tcaption\tFaceId\tstyle\tBeginGroup\tParameter\n";
  for (const model::ControlListing& entry : vbe.Bars().ListControls()) {
    const model::ControlData& d = entry.control->Data();
    if (d.tag != kTag) continue;
    bool popup = d.type == vbide::ControlType::Popup;
    console.out << fmt::format("{}\t{}\t{}\t{}\t{}\t{}\t{}\n", VbToUtf8(entry.path), entry.position,
                               VbToUtf8(d.caption), popup ? std::string("-") : std::to_string(d.faceId),
                               StyleName(d), d.beginGroup ? "yes" : "no", VbToUtf8(d.parameter));
  }
  connect.AddinInstance_OnDisconnection();
  return kExitOk;
}

}  // namespace

void AddMenusSubcommand(CLI::App& app, CliState& state) {
  auto options = std::make_shared<MenusOptions>();
  CLI::App* menus = app.add_subcommand(
      "menus", "connect the add-in to an IDE and list every menu control and toolbar button it creates");
  menus->add_option("--settings", options->settings, "read the options from FILE instead of the user's and the team's")
      ->type_name("FILE");
  menus->add_option("--ide", options->ide, "the IDE's own language, which names its edit toolbar (default english)")
      ->check(CLI::IsMember({"english", "chinese"}))
      ->type_name("english|chinese");
  menus->footer(
      "Columns, tab-separated: bar (with the pop-ups above the control), position in it, caption, FaceId, style, "
      "BeginGroup, Parameter. Captions follow the Language option (0 English, 1 Simplified Chinese).");
  menus->callback([options, &state] {
    state.action = [options, &state]() -> int { return ListMenus(*options, state.console); };
  });
}

}  // namespace kv::cli
