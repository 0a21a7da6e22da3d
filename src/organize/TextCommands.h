// The whole-module text commands: each rewrites the current module's text in
// memory and writes it back with one whole-text replacement.
#pragma once

#include "organize/modOrganize.h"

namespace kv {

void s_DeleteBlankLines(CommandContext& ctx);         // command 3
void s_MergeBlankLines(CommandContext& ctx);          // command 4
void s_ChineseSymbolsToEnglish(CommandContext& ctx);  // command 20
void s_PrivateToPublic(CommandContext& ctx);          // command 21
void s_PublicToPrivate(CommandContext& ctx);          // command 22

}  // namespace kv
