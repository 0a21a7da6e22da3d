// The caret and selection commands: custom text at the caret, procedure
// skeletons, commenting and uncommenting lines, the edition-test lines.
#include "organize/CaretCommands.h"

#include <algorithm>

#include "options/modSettings.h"

namespace kv {

namespace {

// Inserts `text` before the caret line and moves the caret by the offsets.
Epilogue InsertAtCaret(CommandContext& ctx, VbStringView text, std::int32_t lines, std::int32_t columns) {
  const Selection s = s_GetSelection(ctx.g);
  ctx.module.InsertLines(s.startLine, text);
  f_ActiveCodePane(ctx.g).SetSelection(s.startLine + lines, s.startColumn + columns, s.endLine + lines,
                                       s.endColumn + columns);
  return Epilogue::KeepSelection;
}

std::size_t LeadingBlanks(VbStringView text) { return text.size() - LTrimView(text).size(); }

// Hands each selected line (its number and text) to `edit`. Returns false
// when the selected lines read as the empty text.
template <class Edit>
bool ForSelectedLines(CommandContext& ctx, Edit&& edit) {
  const Selection s = s_GetSelection(ctx.g);
  const VbString text = ctx.module.Lines(s.startLine, s.endLine - s.startLine + 1);
  if (text.empty()) return false;
  const std::vector<VbStringView> pieces = SplitCrLf(text);
  // Lines below the end of the module give no pieces.
  const std::int64_t count = std::min<std::int64_t>(std::int64_t{s.endLine} - s.startLine + 1,
                                                    static_cast<std::int64_t>(pieces.size()));
  for (std::int64_t i = 0; i < count; ++i) edit(s.startLine + static_cast<std::int32_t>(i), pieces[i]);
  return true;
}

}  // namespace

Epilogue s_InsertCustomText(CommandContext& ctx) {
  Globals& g = ctx.g;
  const VbString custom = g.settings.ReadSetting(u"txtCtrl1Target", u"'");
  if (custom.empty()) return Epilogue::None;
  const Selection s = s_GetSelection(g);
  const VbString line = ctx.module.Lines(s.startLine, 1);
  const std::size_t cut = std::min<std::size_t>(static_cast<std::size_t>(std::max(s.startColumn, 1) - 1), line.size());
  if (!line.empty()) {
    ctx.module.ReplaceLine(s.startLine, line.substr(0, cut) + custom + line.substr(cut));
  } else if (s.startLine <= ctx.lineCount) {
    ctx.module.ReplaceLine(s.startLine, custom);
  } else {
    // The caret stands below the last line (module preparation removed the
    // blank lines under it): the text becomes the new last line.
    s_ReplaceWholeText(ctx, ctx.moduleText + VbString(kCrLf) + custom);
  }
  // Behind the inserted text; one column more when the caret stood at or
  // after the end of its line.
  const auto shift = static_cast<std::int32_t>(custom.size()) + (cut == line.size() ? 1 : 0);
  g.SavedSelection.startColumn += shift;
  g.SavedSelection.endColumn += shift;
  return Epilogue::Normal;
}

Epilogue s_AddPrivateSub(CommandContext& ctx) {
  return InsertAtCaret(ctx, u"Private Sub s_()\r\n\t\r\nEnd Sub", 0, 14);
}

Epilogue s_AddPrivateFunction(CommandContext& ctx) {
  return InsertAtCaret(ctx, u"Private Function f_()\r\n\t\r\nEnd Function", 0, 19);
}

Epilogue s_CommentBlock(CommandContext& ctx) {
  const bool read = ForSelectedLines(ctx, [&](std::int32_t number, VbStringView piece) {
    if (piece.empty()) return;
    ctx.module.ReplaceLine(number, Spaces(LeadingBlanks(piece)) + u"'" + Trim(piece));
  });
  if (read) ctx.g.SavedSelection.endColumn += 1;
  return Epilogue::Normal;
}

Epilogue s_UncommentBlock(CommandContext& ctx) {
  const bool read = ForSelectedLines(ctx, [&](std::int32_t number, VbStringView piece) {
    if (!TrimView(piece).starts_with(u'\'')) return;
    // The apostrophe follows the leading blanks; the blank after it stays.
    const std::size_t quote = LeadingBlanks(piece);
    ctx.module.ReplaceLine(number, Spaces(quote) + VbString(piece.substr(quote + 1)));
  });
  // A caret at column 1 has no column to its left to go to.
  if (read) ctx.g.SavedSelection.endColumn = std::max(ctx.g.SavedSelection.endColumn - 1, 1);
  return Epilogue::Normal;
}

Epilogue s_AddChkProEnd(CommandContext& ctx) { return InsertAtCaret(ctx, u"End Function", 1, 0); }

Epilogue s_AddProLabels(CommandContext& ctx) {
  return InsertAtCaret(ctx, u"\r\n    If f_chkPro = True Then '<kv_pro_start>\r\n    End If '<kv_pro_end>", 2, 4);
}

}  // namespace kv
