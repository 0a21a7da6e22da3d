// Where the command line starts a menu command: the one place to change
// when commands are run by clicking the add-in's menu controls.
#pragma once

#include <cstdint>

namespace kv::cli {

class Session;

// Runs command n in the session's IDE, connecting the add-in first unless it
// still is. Returns whether it ran without an error (an error is reported in
// the add-in's message box). With `stayConnected` the add-in stays connected
// for the session's next target.
bool StartCommand(Session& session, std::int16_t n, bool stayConnected = false);

}  // namespace kv::cli
