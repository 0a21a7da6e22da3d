// The command dispatcher: every command of the add-in, from a menu or a hot
// key, arrives here as a number. s_OrganizeModule checks the IDE's state,
// keeps the caret, prepares the module text, runs the operation of the number
// and puts the caret back.
//
// This file also holds the routines several operations share: reading the
// selection, keeping the caret in SavedSelection, the probe that decides
// whether a project's protection is tested, dropping trailing blank lines and
// the whole-text replacement of a module.
#pragma once

#include <cstdint>

#include "host/VBIDE.h"
#include "indent/modIndentControl.h"
#include "support/clsStringBuilder.h"
#include "support/modGlobals.h"

namespace kv {

// The size the dispatcher initialises its two string builders with.
inline constexpr std::int32_t kBuilderSize = 1023;

// The working state of one dispatcher call, handed to the operations.
struct CommandContext {
  CommandContext(Globals& globals, vbide::CodePane& codePane, vbide::CodeModule& codeModule)
      : g(globals), pane(codePane), module(codeModule) {}

  Globals& g;
  vbide::CodePane& pane;
  vbide::CodeModule& module;
  // CountOfLines after module preparation; 0 for commands without it.
  std::int32_t lineCount = 0;
  // The module's lines joined with CR LF after module preparation; empty for
  // commands without it.
  VbString moduleText;
  // Initialised with kBuilderSize at the start of every call: the first
  // collects the main output text, the second a secondary text.
  clsStringBuilder builder1;
  clsStringBuilder builder2;
};

// What the dispatcher does after an operation.
enum class Epilogue {
  Normal,           // restore the caret, release the builders, unload progress
  KeepSelection,    // the operation set the caret itself: builders and progress only
  None,             // nothing at all
};

// The command numbers of the menus.
namespace cmd {
inline constexpr std::int16_t kClearImmediate = 1;
inline constexpr std::int16_t kInsertCustomText = 2;
inline constexpr std::int16_t kDeleteBlankLines = 3;
inline constexpr std::int16_t kMergeBlankLines = 4;
inline constexpr std::int16_t kAddPrivateSub = 5;
inline constexpr std::int16_t kAddPrivateFunction = 6;
inline constexpr std::int16_t kCommentBlock = 7;
inline constexpr std::int16_t kUncommentBlock = 8;
inline constexpr std::int16_t kFindPrevious = 9;
inline constexpr std::int16_t kFindAll = 10;
inline constexpr std::int16_t kCodeToAsp = 11;
inline constexpr std::int16_t kCodeFromAsp = 12;
inline constexpr std::int16_t kTrimSpaces = 13;
inline constexpr std::int16_t kIndentProcedure = 14;
inline constexpr std::int16_t kIndentModule = 15;
inline constexpr std::int16_t kIndentProject = 16;
inline constexpr std::int16_t kExit = 17;
inline constexpr std::int16_t kAbout = 18;
inline constexpr std::int16_t kSetUp = 19;
inline constexpr std::int16_t kChineseToEnglish = 20;
inline constexpr std::int16_t kPrivateToPublic = 21;
inline constexpr std::int16_t kPublicToPrivate = 22;
inline constexpr std::int16_t kAddLineNumbers = 23;
inline constexpr std::int16_t kDeleteLineNumbers = 24;
inline constexpr std::int16_t kFold = 25;
inline constexpr std::int16_t kUnfold = 26;
inline constexpr std::int16_t kUnfoldAll = 27;
inline constexpr std::int16_t kAddChkProEnd = 28;
inline constexpr std::int16_t kAddProLabels = 29;
inline constexpr std::int16_t kCommentProCode = 30;
inline constexpr std::int16_t kUncommentProCode = 31;
}  // namespace cmd

// Runs command n. An object-model error inside the command ends it and
// propagates to the caller (see s_RunCommand).
void s_OrganizeModule(Globals& g, std::int16_t& n);

// Where a command is started (a click, a hot key, the command line): runs
// s_OrganizeModule and keeps an object-model error from escaping to the IDE.
// The progress window is unloaded and the error's description is shown in the
// add-in's message box. Returns whether the command ran without an error.
bool s_RunCommand(Globals& g, std::int16_t n);
// The same for any other step started from outside (the indent-module hot key).
template <class Step>
bool s_RunGuarded(Globals& g, Step&& step);

// gVBE; error 91 ("Object variable or With block variable not set") when it
// is not set.
vbide::VBE& f_VBE(Globals& g);
// The active code pane, reached as gVBE.ActiveVBProject.VBE.ActiveCodePane;
// error 91 when a link of that chain is missing.
vbide::CodePane& f_ActiveCodePane(Globals& g);
// Fills the four numbers from f_ActiveCodePane's selection.
void s_GetSelection(Globals& g, std::int32_t& startLine, std::int32_t& startColumn, std::int32_t& endLine,
                    std::int32_t& endColumn);
Selection s_GetSelection(Globals& g);
// "store" (any letter case) copies the active pane's selection into
// SavedSelection; anything else puts SavedSelection back. Failures are skipped.
void s_KeepSelection(Globals& g, VbStringView action);
// Whether reading the IDE's probe property raises an error.
bool f_IdeReadFails(Globals& g);
// The text without its trailing blank lines; a text of blank lines only
// becomes its first line.
VbString f_DropTrailingBlankLines(VbStringView text);
// Writes a whole module: deletes lines 1..lineCount and adds the new text.
// When adding fails, the module's old text is put back and the error is
// raised again. A caller that has just read the whole module passes that
// text as `oldText`, so that it is not read a second time.
void s_ReplaceWholeText(CommandContext& ctx, VbStringView newText, const VbString* oldText = nullptr);

// ---- implementation of the template ----
void ReportCommandError(Globals& g, const VbError& error);

template <class Step>
bool s_RunGuarded(Globals& g, Step&& step) {
  try {
    step();
    return true;
  } catch (const VbError& error) {
    ReportCommandError(g, error);
    return false;
  }
}

// Calls each(component, module, text, count) for every code module of the
// active project that holds lines, in the project's order, with its text.
template <class Each>
void s_ForEachProjectModule(Globals& g, Each&& each) {
  vbide::VBProject* project = f_VBE(g).ActiveVBProject();
  if (!project) return;
  for (vbide::VBComponent* component : project->VBComponents()) {
    if (!f_HasCodeModule(*component)) continue;
    vbide::CodeModule& module = component->CodeModule();
    const std::int32_t count = module.CountOfLines();
    if (count > 0) each(*component, module, module.Lines(1, count), count);
  }
}

}  // namespace kv
