// "kestrova options" and "kestrova about".
#include "cli/OptionsCommand.h"

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>
#endif

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

#ifndef _WIN32
#include "cli/AboutScreen.h"
#include "cli/OptionsScreen.h"
#include "cli/TerminalUi.h"
#endif
#include "cli/Cli.h"
#include "cli/Subcommands.h"
#include "cli/Targets.h"
#include "host/VbError.h"
#include "options/frmOptions.h"
#include "options/modSettings.h"
#include "platform/HeadlessPlatform.h"
#include "support/frmAbout.h"
#include "support/modGlobals.h"
#ifdef _WIN32
#include <io.h>

#include <cstdio>

#include "winui/WinUi.h"
#endif

#ifndef _WIN32
extern char** environ;
#endif

namespace kv::cli {

namespace {

// The add-in's state around the settings store, as at connection: the UI
// language comes from the stored "Language". Warnings about the store are
// kept until the terminal is free to print them.
//
// Reading (list, get, example) sees the options as `indent` run here would:
// the team's .kestrova.ini, from the current folder up, over the user's.
// Writing (set, the window's Save) goes to the user's store alone.
enum class Team { Ignored, Read };

class OptionsContext {
 public:
  explicit OptionsContext(const OptionsCommandArgs& args, Team team = Team::Ignored)
      : platform({}),
        store(args.settings ? std::optional<std::filesystem::path>(*args.settings) : std::nullopt),
        g(platform, store) {
    store.SetWarningSink([this](std::string_view message) { warnings.emplace_back(message); });
    if (team == Team::Read && !args.settings)
      store.SetOverride(FindTeamSettings(std::filesystem::current_path() / kTeamSettingsName));
    g.gLanguage = LanguageFromSetting(store.ReadSetting(u"Language", u"0"));
  }
  void PrintTeamFile(std::ostream& err) {
    if (auto team = store.OverridePath()) err << "kestrova options: team options from " << team->string() << "\n";
  }
  void PrintWarnings(std::ostream& err) {
    for (const std::string& w : warnings) err << "kestrova: " << w << "\n";
    warnings.clear();
  }

  platform::HeadlessPlatform platform;
  SettingsStore store;
  Globals g;
  std::vector<std::string> warnings;
};

// A value as one table cell: plain when that is unambiguous, otherwise in
// double quotes with C escapes.
std::string Cell(VbStringView value) {
  std::string text = VbToUtf8(value);
  bool plain = !text.empty() && text.front() != ' ' && text.back() != ' ' && text != "(absent)" &&
               std::none_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == '"' || c == '\\' || c == 0x7F; });
  if (plain) return text;
  std::string quoted = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\r': quoted += "\\r"; break;
      case '\n': quoted += "\\n"; break;
      case '\t': quoted += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          static const char* hex = "0123456789abcdef";
          quoted += "\\x";
          quoted += hex[c >> 4];
          quoted += hex[c & 15];
        } else {
          quoted += static_cast<char>(c);
        }
    }
  }
  return quoted + "\"";
}

std::string SourceName(SettingsStore::Origin source) {
  switch (source) {
    case SettingsStore::Origin::User: return "user";
    case SettingsStore::Origin::Team: return "team";
    case SettingsStore::Origin::Default: break;
  }
  return "default";
}

const OptionKey* KeyOrComplain(const std::string& key, std::ostream& err) {
  if (const OptionKey* k = FindOptionKey(U(key))) return k;
  err << "kestrova options: no option is called \"" << key << "\"; the options are:";
  for (const OptionKey& k : kOptionKeys) err << " " << VbToUtf8(k.key);
  err << "\n";
  return nullptr;
}

// What a control accepts, for the message when `set` refuses a value.
std::string Accepts(const frmOptions& window, const OptionKey& key) {
  switch (window.Control(key.control).kind) {
    case ControlKind::CheckBox: return "Y or N";
    case ControlKind::DropDownList: return "0 (English) or 1 (简体中文), or the language's name";
    default: return "any text";
  }
}

#ifndef _WIN32
// Opens a page in the desktop's browser when there is a desktop; a terminal
// without one only shows the address. Returns what the about screen shows.
VbString OpenInBrowser(std::string_view url, bool chinese) {
  const bool desktop = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  if (desktop) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
      posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
    std::string target(url);
    char* argv[] = {const_cast<char*>("xdg-open"), target.data(), nullptr};
    pid_t pid = 0;
    int failed = posix_spawnp(&pid, "xdg-open", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (!failed) return chinese ? u"正在浏览器中打开 " + U(url) : u"Opening " + U(url) + u" in the browser";
  }
  return chinese ? u"请在浏览器中打开 " + U(url) : u"Open " + U(url) + u" in a browser to visit the page";
}

#endif

}  // namespace

// The options window: in the terminal, or on Windows the add-in's own Win32
// window run by its own message loop (the messages it would show in a box are
// printed once it closes). Started by a script, with its streams redirected,
// it would wait for a user who is not there.
int RunOptionsWindow(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err) {
#ifdef _WIN32
  const bool interactive = _isatty(_fileno(stdin)) && _isatty(_fileno(stdout));
#else
  const bool interactive = tui::HaveTerminal();
#endif
  if (!interactive) {
    err << "kestrova options: the options window needs a terminal (standard input and output); "
           "scripts can use \"kestrova options list|get|set|example\"\n";
    return kExitUsage;
  }
  OptionsContext context(args);
  std::vector<VbString> messages;
  context.platform.SetMessageBoxPresenter(
      [&](const platform::MessageBoxRecord& box) { messages.push_back(box.text); });
  bool saved = false;
#ifdef _WIN32
  {
    const auto windows = winui::InstallWindows(context.g);
    ShowOptionsWindow(context.g);
    windows->RunUntilClosed();
    saved = context.g.optionsWindow && context.g.optionsWindow->Saved();
  }
  for (const VbString& message : messages) err << "kestrova options: " << VbToUtf8(message) << "\n";
#else
  {
    tui::Screen screen;
    if (!screen.Open()) {
      err << "kestrova options: cannot use the terminal: " << screen.Error() << "\n";
      return kExitUsage;
    }
    context.g.windowHost.showOptions = [&](frmOptions& window) {
      tui::RunOptionsScreen(window, screen, messages, context.g.IsChinese());
      saved = window.Saved();
    };
    ShowOptionsWindow(context.g);
  }
#endif
  context.PrintWarnings(err);
  if (saved) out << "kestrova options: saved to " << context.store.Location() << "\n";
  else out << "kestrova options: cancelled, nothing was written\n";
  return kExitOk;
}

int RunOptionsList(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err) {
  OptionsContext context(args, Team::Read);
  frmOptions window(context.g);
  window.Show();
  struct Row {
    std::string key;
    std::optional<std::string> stored;
    std::string source;
    std::string shown;
  };
  std::vector<Row> rows;
  for (const OptionKey& key : kOptionKeys) {
    Row row{VbToUtf8(key.key), std::nullopt, SourceName(context.store.SourceOf(key.key)),
            VbToUtf8(window.ShownText(key))};
    if (context.store.HasSetting(key.key)) row.stored = VbToUtf8(context.store.ReadSetting(key.key, u""));
    rows.push_back(std::move(row));
  }
  context.PrintWarnings(err);
  context.PrintTeamFile(err);
  if (args.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Row& row : rows) {
      nlohmann::ordered_json item;
      item["key"] = row.key;
      item["stored"] = row.stored ? nlohmann::ordered_json(*row.stored) : nlohmann::ordered_json();
      item["source"] = row.source;
      item["shown"] = row.shown;
      list.push_back(std::move(item));
    }
    out << list.dump(2) << "\n";
    return kExitOk;
  }
  std::vector<std::string> stored;
  std::size_t keyWidth = 3;
  std::size_t storedWidth = 6;
  for (const Row& row : rows) {
    stored.push_back(row.stored ? Cell(U(*row.stored)) : "(absent)");
    keyWidth = std::max(keyWidth, row.key.size());
    storedWidth = std::max(storedWidth, stored.back().size());
  }
  auto line = [&](const std::string& a, const std::string& source, const std::string& b, const std::string& c) {
    out << a << std::string(keyWidth + 2 - a.size(), ' ') << source << std::string(9 - source.size(), ' ') << b
        << std::string(storedWidth + 2 - b.size(), ' ') << c << "\n";
  };
  line("KEY", "SOURCE", "STORED", "SHOWN");
  for (std::size_t i = 0; i < rows.size(); ++i) line(rows[i].key, rows[i].source, stored[i], Cell(U(rows[i].shown)));
  return kExitOk;
}

int RunOptionsGet(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err) {
  const OptionKey* key = KeyOrComplain(args.key, err);
  if (!key) return kExitUsage;
  OptionsContext context(args, Team::Read);
  const SettingsStore::Origin source = context.store.SourceOf(key->key);
  VbString value = context.store.ReadSetting(key->key, key->windowDefault);
  context.PrintWarnings(err);
  if (source == SettingsStore::Origin::Default) {
    // Like a missing key of other configuration tools: nothing on standard
    // output, exit 1, and the default on standard error for the reader.
    err << "kestrova options: " << VbToUtf8(key->key) << " is not stored; the add-in uses "
        << Cell(key->windowDefault) << "\n";
    return 1;
  }
  if (source == SettingsStore::Origin::Team) context.PrintTeamFile(err);
  out << VbToUtf8(value) << "\n";
  return kExitOk;
}

int RunOptionsSet(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err) {
  const OptionKey* key = KeyOrComplain(args.key, err);
  if (!key) return kExitUsage;
  OptionsContext context(args, Team::Read);
  frmOptions window(context.g);
  const VbString given = U(args.value);
  std::optional<VbString> text = window.EnterValue(*key, given);
  if (!text) {
    err << "kestrova options: " << VbToUtf8(key->key) << " takes " << Accepts(window, *key) << ", not "
        << Cell(given) << "\n";
    return kExitUsage;
  }
  try {
    context.store.WriteSetting(key->key, *text);
  } catch (const VbError& error) {
    context.PrintWarnings(err);
    err << "kestrova options: " << error.what() << "\n";
    return kExitFailed;
  }
  context.PrintWarnings(err);
  if (context.store.SourceOf(key->key) == SettingsStore::Origin::Team) {
    err << "kestrova options: " << VbToUtf8(key->key) << " is also set in the team options "
        << context.store.OverridePath()->string() << ", which win over the user's here\n";
  }
  // The value stored, on standard output. A check box or the language list
  // takes each spelling it accepts as that value; a text box's correction
  // (a number out of range, CR LF line ends, an upper-case letter) changes
  // what was given, and a script hears of it by exit 1.
  out << VbToUtf8(*text) << "\n";
  if (*text != given && window.Control(key->control).kind == ControlKind::TextBox) {
    err << "kestrova options: " << VbToUtf8(key->key) << ": the options window turns " << Cell(given) << " into "
        << Cell(*text) << ", which was stored\n";
    return 1;
  }
  return kExitOk;
}

int RunOptionsExample(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err) {
  OptionsContext context(args, Team::Read);
  frmOptions window(context.g);
  window.Show();
  context.PrintWarnings(err);
  for (const VbString& line : window.Control("lbCodeExample").items) out << VbToUtf8(line) << "\n";
  return kExitOk;
}

int RunAbout(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err) {
  OptionsContext context(args);
#ifdef _WIN32
  {
    // The about window is the add-in's, in the IDE; here, its texts.
#else
  if (!tui::HaveTerminal()) {
    // Without a terminal the window's texts are all there is to show.
#endif
    frmAbout window(context.g);
    context.PrintWarnings(err);
    out << VbToUtf8(window.Caption()) << "\n"
        << VbToUtf8(RTrim(window.Control("labTitle").text)) << "\n"
        << VbToUtf8(window.Control("lblURL").text) << "\n";
    return kExitOk;
  }
#ifndef _WIN32
  VbString status;
  {
    tui::Screen screen;
    if (!screen.Open()) {
      err << "kestrova about: cannot use the terminal: " << screen.Error() << "\n";
      return kExitUsage;
    }
    const bool chinese = context.g.IsChinese();
    context.platform.SetUrlOpener([&](std::string_view url) { status = OpenInBrowser(url, chinese); });
    context.g.windowHost.showAbout = [&](frmAbout& window) { tui::RunAboutScreen(window, screen, status, chinese); };
    ShowAboutWindow(context.g);
  }
  context.PrintWarnings(err);
  return kExitOk;
#endif
}

void AddOptionsSubcommands(CLI::App& app, CliState& state) {
  auto args = std::make_shared<OptionsCommandArgs>();
  CLI::App* options = app.add_subcommand(
      "options", "Show the options window in the terminal, or read and change the options for scripts");
  options->add_option("--settings", args->settings, "Use this settings file instead of the per-user one")
      ->type_name("FILE");
  options->require_subcommand(0, 1);
  CLI::App* list = options->add_subcommand(
      "list", "Every option: its source (user, team .kestrova.ini or default), stored value and shown value");
  list->add_flag("--json", args->json, "Write the list as JSON");
  CLI::App* get = options->add_subcommand("get", "Print an option's stored value, a team .kestrova.ini's over the user's (exit 1 when "
                                           "neither holds it)");
  get->add_option("KEY", args->key, "The option's key, e.g. IndentSpaces")->required();
  CLI::App* set = options->add_subcommand("set", "Store an option, corrected as the options window corrects it, and print what was "
                                           "stored (exit 1 when the correction changed it)");
  set->add_option("KEY", args->key, "The option's key, e.g. IndentSpaces")->required();
  set->add_option("VALUE", args->value, "The value, as typed into the window")->required();
  CLI::App* example = options->add_subcommand("example", "Print the live example for the options in force here");
  for (CLI::App* sub : {list, get, set, example}) sub->fallthrough();
  options->callback([=, &state] {
    using Runner = int (*)(const OptionsCommandArgs&, std::ostream&, std::ostream&);
    Runner runner = list->parsed()      ? RunOptionsList
                    : get->parsed()     ? RunOptionsGet
                    : set->parsed()     ? RunOptionsSet
                    : example->parsed() ? RunOptionsExample
                                        : RunOptionsWindow;
    state.action = [args, runner, &state] { return runner(*args, state.console.out, state.console.err); };
  });

  CLI::App* about = app.add_subcommand("about", "Show the about window in the terminal (without one: its texts)");
  about->add_option("--settings", args->settings, "Use this settings file instead of the per-user one")
      ->type_name("FILE");
  about->callback([=, &state] {
    state.action = [args, &state] { return RunAbout(*args, state.console.out, state.console.err); };
  });
}

}  // namespace kv::cli
