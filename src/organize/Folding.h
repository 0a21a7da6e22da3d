// Procedure folding: a fold moves the procedure at the caret to the end of the
// module and leaves a one-line marker comment in its place; unfold puts it
// back where the marker stands.
#pragma once

#include "organize/modOrganize.h"

namespace kv {

void s_FoldProcedure(CommandContext& ctx);    // command 25
void s_UnfoldProcedure(CommandContext& ctx);  // command 26
void s_UnfoldAll(CommandContext& ctx);        // command 27

}  // namespace kv
