// Commenting (command 30) and uncommenting (command 31) the code between the
// edition labels of command 29, in every code module of the current project.
//
// The lines strictly between a line that ends with '<kv_pro_start> and the
// next one that ends with '<kv_pro_end> get one apostrophe after their
// leading white space (30), or lose one that stands there (31); blank lines
// stay as they are. So 30 and then 31 give back the exact text, lines that
// were comments already included. The markers pair up from the top; a module
// whose markers do not pair is left as it is and named in the closing message.
#pragma once

#include <optional>

#include "organize/modOrganize.h"

namespace kv {

// The module's text with the code between its labels commented (`comment`
// true) or uncommented; nothing when the markers do not pair up.
std::optional<VbString> f_ProCode(VbStringView text, bool comment);

void s_CommentProCode(CommandContext& ctx);    // command 30
void s_UncommentProCode(CommandContext& ctx);  // command 31

}  // namespace kv
