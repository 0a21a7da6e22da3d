// Starting a menu command from the command line.
#include "cli/StartCommand.h"

#include "cli/Session.h"
#include "organize/modOrganize.h"

namespace kv::cli {

bool StartCommand(Session& session, std::int16_t n) { return s_RunCommand(session.G(), n); }

}  // namespace kv::cli
