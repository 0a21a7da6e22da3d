// "kestrova options" and "kestrova about": the add-in's options and about
// windows on the terminal, and the options for scripts without one.
//
//   kestrova options                  the options window (needs a terminal)
//   kestrova options list [--json]    every key: its source (user, team or
//                                     default), stored value, value shown
//   kestrova options get KEY          the stored value (team over user)
//   kestrova options set KEY VALUE    corrected as the window corrects it, then
//                                     stored and printed; exit 1 when the
//                                     correction changed the value
//   kestrova options example          the live example for the stored options
//   kestrova about                    the about window (without a terminal: its texts)
//
// The options are the per-user settings file, or the file --settings names.
// list, get and example also read the team's .kestrova.ini (from the current
// folder up) over the user's, as indent does; set writes the user's file.
// The windows follow the "Language" stored there.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace kv::cli {

struct OptionsCommandArgs {
  std::optional<std::string> settings;  // --settings FILE
  bool json = false;                    // list --json
  std::string key;
  std::string value;
};

int RunOptionsWindow(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err);
int RunOptionsList(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err);
int RunOptionsGet(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err);
int RunOptionsSet(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err);
int RunOptionsExample(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err);
int RunAbout(const OptionsCommandArgs& args, std::ostream& out, std::ostream& err);

// AddOptionsSubcommands (declared with the other subcommands) adds "options"
// with list, get, set and example, and "about".

}  // namespace kv::cli
