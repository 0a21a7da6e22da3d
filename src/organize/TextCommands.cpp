// Placeholder: the whole-module text commands arrive with their own change.
#include "organize/TextCommands.h"

namespace kv {
void s_DeleteBlankLines(CommandContext&) {}
void s_MergeBlankLines(CommandContext&) {}
void s_ChineseSymbolsToEnglish(CommandContext&) {}
void s_PrivateToPublic(CommandContext&) {}
void s_PublicToPrivate(CommandContext&) {}
}  // namespace kv
