// The caret and selection commands: they edit the module at the caret or over
// the selected lines, one line at a time.
#pragma once

#include "organize/modOrganize.h"

namespace kv {

Epilogue s_InsertCustomText(CommandContext& ctx);  // command 2
Epilogue s_AddPrivateSub(CommandContext& ctx);     // command 5
Epilogue s_AddPrivateFunction(CommandContext& ctx);  // command 6
Epilogue s_CommentBlock(CommandContext& ctx);      // command 7
Epilogue s_UncommentBlock(CommandContext& ctx);    // command 8
Epilogue s_AddChkProEnd(CommandContext& ctx);      // command 28
Epilogue s_AddProLabels(CommandContext& ctx);      // command 29

}  // namespace kv
