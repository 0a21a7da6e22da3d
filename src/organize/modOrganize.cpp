// The command dispatcher and the routines its operations share.
#include "organize/modOrganize.h"

#include "host/frmHotKey.h"
#include "host/modMenus.h"
#include "indent/modIndentControl.h"
#include "options/frmOptions.h"
#include "organize/CaretCommands.h"
#include "organize/FindWords.h"
#include "organize/Folding.h"
#include "organize/LineNumbers.h"
#include "organize/ProCode.h"
#include "organize/TextCommands.h"
#include "organize/modSendKeys.h"
#include "support/frmAbout.h"
#include "support/frmProgress.h"

namespace kv {

namespace {

// The commands that work on the module text get it prepared: the blank lines
// at the end of the module are deleted first.
bool NeedsPreparation(std::int16_t n) {
  return n == 2 || n == 3 || n == 4 || n == 7 || n == 8 || (n >= 11 && n <= 16) || (n >= 20 && n <= 27);
}

void PrepareModule(CommandContext& ctx) {
  ctx.lineCount = ctx.module.CountOfLines();
  VbString read = ctx.lineCount > 0 ? ctx.module.Lines(1, ctx.lineCount) : VbString();
  ctx.moduleText = f_DropTrailingBlankLines(read);
  // No line holds a CR LF, so the text read has a piece per line, and the
  // text is shorter exactly when lines went; but an empty text is no piece,
  // so a module of one empty line counts as changed too.
  if (ctx.moduleText.size() != read.size() || (ctx.moduleText.empty() && ctx.lineCount > 0)) {
    s_ReplaceWholeText(ctx, ctx.moduleText, &read);
    ctx.lineCount = ctx.module.CountOfLines();
    if (ctx.lineCount > 0) ctx.moduleText = ctx.module.Lines(1, ctx.lineCount);
  }
}

Epilogue Run(CommandContext& ctx, std::int16_t n) {
  Globals& g = ctx.g;
  switch (n) {
    case cmd::kClearImmediate: return s_ClearImmediateWindow(ctx);
    case cmd::kInsertCustomText: return s_InsertCustomText(ctx);
    case cmd::kDeleteBlankLines: s_DeleteBlankLines(ctx); break;
    case cmd::kMergeBlankLines: s_MergeBlankLines(ctx); break;
    case cmd::kAddPrivateSub: return s_AddPrivateSub(ctx);
    case cmd::kAddPrivateFunction: return s_AddPrivateFunction(ctx);
    case cmd::kCommentBlock: return s_CommentBlock(ctx);
    case cmd::kUncommentBlock: return s_UncommentBlock(ctx);
    case cmd::kFindPrevious: s_FindPrevious(ctx); break;
    case cmd::kFindAll: s_FindAll(ctx); break;
    case cmd::kCodeToAsp:
    case cmd::kCodeFromAsp:
      g.Message(g.Text(u"Exchanging code with .asp files is not offered. Nothing was changed.",
                       u"不提供与.asp文件交换代码的功能，未作任何修改。"));
      break;
    case cmd::kTrimSpaces: s_TrimSpaces(ctx); break;
    case cmd::kIndentProcedure:
      if (ctx.lineCount > 0) s_IndentProcedure(g);
      break;
    case cmd::kIndentModule:
      if (ctx.lineCount > 0) s_IndentModule(g);
      break;
    case cmd::kIndentProject:
      if (ctx.lineCount > 0) s_IndentProject(g);
      break;
    case cmd::kExit:
      s_RemoveMenus(g);
      HotKeyWindow(g).s_unHotKey();
      break;
    case cmd::kAbout: ShowAboutWindow(g); break;
    case cmd::kSetUp: ShowOptionsWindow(g); break;
    case cmd::kChineseToEnglish: s_ChineseSymbolsToEnglish(ctx); break;
    case cmd::kPrivateToPublic: s_PrivateToPublic(ctx); break;
    case cmd::kPublicToPrivate: s_PublicToPrivate(ctx); break;
    case cmd::kAddLineNumbers: s_AddLineNumbers(ctx); break;
    case cmd::kDeleteLineNumbers: s_DeleteLineNumbers(ctx); break;
    case cmd::kFold: s_FoldProcedure(ctx); break;
    case cmd::kUnfold: s_UnfoldProcedure(ctx); break;
    case cmd::kUnfoldAll: s_UnfoldAll(ctx); break;
    case cmd::kAddChkProEnd: return s_AddChkProEnd(ctx);
    case cmd::kAddProLabels: return s_AddProLabels(ctx);
    case cmd::kCommentProCode: s_CommentProCode(ctx); break;
    case cmd::kUncommentProCode: s_UncommentProCode(ctx); break;
    default: ++g.gCommandsWithoutOperation; break;  // no operation: module preparation only
  }
  return Epilogue::Normal;
}

[[noreturn]] void RaiseNotSet() {
  Raise(vberr::kObjectVariableNotSet, u"Object variable or With block variable not set");
}

}  // namespace

vbide::VBE& f_VBE(Globals& g) {
  if (!g.gVBE) RaiseNotSet();
  return *g.gVBE;
}

vbide::CodePane& f_ActiveCodePane(Globals& g) {
  vbide::VBProject* project = f_VBE(g).ActiveVBProject();
  if (!project) RaiseNotSet();
  vbide::CodePane* pane = project->VBE().ActiveCodePane();
  if (!pane) RaiseNotSet();
  return *pane;
}

void s_OrganizeModule(Globals& g, std::int16_t& n) {
  vbide::VBE& vbe = f_VBE(g);
  vbide::VBProject* project = vbe.ActiveVBProject();
  if (!project) {
    g.Message(g.Text(u"Could not identify current project.", u"不能缩进当前工程"));
    return;
  }
  if (f_IdeReadFails(g) && project->Protection() == vbide::kProtectionLocked) {
    g.Message(g.Text(u"The current project is locked and can't be indented.", u"当前工程被锁，不能缩进。"));
    return;
  }
  vbide::CodePane* pane = vbe.ActiveCodePane();
  if (!pane) {
    g.Message(g.Text(u"Could not identify current module.", u"不能缩进当前模块。"));
    return;
  }

  CommandContext ctx(g, *pane, pane->CodeModule());
  s_KeepSelection(g, u"store");
  ctx.builder1.Initialize(kBuilderSize);
  ctx.builder2.Initialize(kBuilderSize);
  if (NeedsPreparation(n)) PrepareModule(ctx);

  switch (Run(ctx, n)) {
    case Epilogue::Normal:
      s_KeepSelection(g, u"restore");
      [[fallthrough]];
    case Epilogue::KeepSelection:
      ctx.builder1.Clear();
      ctx.builder2.Clear();
      UnloadProgress(g);
      break;
    case Epilogue::None:
      break;
  }
}

bool s_RunCommand(Globals& g, std::int16_t n) {
  return s_RunGuarded(g, [&] { s_OrganizeModule(g, n); });
}

void ReportCommandError(Globals& g, const VbError& error) {
  UnloadProgress(g);
  VbString text = error.Description();
  if (text.empty()) text = u"Run-time error '" + ToVb(error.Number()) + u"'";
  g.Message(text);
}

void s_GetSelection(Globals& g, std::int32_t& startLine, std::int32_t& startColumn, std::int32_t& endLine,
                    std::int32_t& endColumn) {
  f_ActiveCodePane(g).GetSelection(startLine, startColumn, endLine, endColumn);
}

Selection s_GetSelection(Globals& g) {
  Selection s;
  s_GetSelection(g, s.startLine, s.startColumn, s.endLine, s.endColumn);
  return s;
}

void s_KeepSelection(Globals& g, VbStringView action) {
  vbide::CodePane* pane = nullptr;
  ResumeNext([&] { pane = f_VBE(g).ActiveCodePane(); });
  if (!pane) return;
  if (EqualsNoCase(action, u"store")) {
    ResumeNext([&] {
      Selection s;
      pane->GetSelection(s.startLine, s.startColumn, s.endLine, s.endColumn);
      g.SavedSelection = s;
    });
  } else {
    const Selection& s = g.SavedSelection;
    ResumeNext([&] { pane->SetSelection(s.startLine, s.startColumn, s.endLine, s.endColumn); });
  }
}

bool f_IdeReadFails(Globals& g) {
  return !ResumeNext([&] { (void)f_VBE(g).Version(); });
}

VbString f_DropTrailingBlankLines(VbStringView text) {
  // The pieces between CR LFs, from the last back: the text kept ends where
  // the last piece that is not blank ends. A CR LF cannot overlap another,
  // so reading them from the end finds the same pieces as from the start.
  std::size_t end = text.size();
  for (;;) {
    const std::size_t at = end >= 2 ? text.rfind(kCrLf, end - 2) : VbStringView::npos;
    const std::size_t start = at == VbStringView::npos ? 0 : at + 2;
    if (!IsBlankLine(text.substr(start, end - start)) || at == VbStringView::npos) return VbString(text.substr(0, end));
    end = at;
  }
}

void s_ReplaceWholeText(CommandContext& ctx, VbStringView newText, const VbString* oldText) {
  vbide::CodeModule& module = ctx.module;
  VbString read;
  if (!oldText) {
    std::int32_t present = module.CountOfLines();
    if (present > 0) read = module.Lines(1, present);
    oldText = &read;
  }
  if (ctx.lineCount > 0) module.DeleteLines(1, ctx.lineCount);
  try {
    module.AddFromString(newText);
  } catch (const VbError&) {
    // Never lose the module: put back what it held before the deletion.
    ResumeNext([&] {
      std::int32_t left = module.CountOfLines();
      if (left > 0) module.DeleteLines(1, left);
    });
    ResumeNext([&] { module.AddFromString(*oldText); });
    throw;
  }
}

}  // namespace kv
