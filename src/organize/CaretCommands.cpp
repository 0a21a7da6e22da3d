// Placeholder: the caret and selection commands arrive with their own change.
#include "organize/CaretCommands.h"

namespace kv {
Epilogue s_InsertCustomText(CommandContext&) { return Epilogue::Normal; }
Epilogue s_AddPrivateSub(CommandContext&) { return Epilogue::Normal; }
Epilogue s_AddPrivateFunction(CommandContext&) { return Epilogue::Normal; }
Epilogue s_CommentBlock(CommandContext&) { return Epilogue::Normal; }
Epilogue s_UncommentBlock(CommandContext&) { return Epilogue::Normal; }
Epilogue s_AddChkProEnd(CommandContext&) { return Epilogue::Normal; }
Epilogue s_AddProLabels(CommandContext&) { return Epilogue::Normal; }
}  // namespace kv
