// The indent commands: which lines each re-indents, the guards and messages,
// the progress window's range, and the selection kept around the run.
#include "indent/modIndentControl.h"

#include <algorithm>

#include "indent/modIndentRoutine.h"
#include "organize/modOrganize.h"
#include "support/frmProgress.h"
#include "support/modGlobals.h"

namespace kv {

namespace {

constexpr VbStringView kNoProjectEn = u"Could not identify current project.";
constexpr VbStringView kLockedEn = u"The current project is locked and can't be indented.";
constexpr VbStringView kLockedZh = u"当前工程被锁，不能缩进。";
constexpr VbStringView kNoModuleEn = u"Could not identify current module.";
constexpr VbStringView kNoModuleZh = u"不能缩进当前模块。";
constexpr VbStringView kNoCodeEn = u"The current module does not contain any code to indent.";
constexpr VbStringView kNoCodeZh = u"当前模块不包含任何可缩进的代码。";

// Runs one step of the guards. Indent Procedure lets an error of the host end
// the command (`stopOnError`); the other two drivers skip the failing step.
template <class Step>
void GuardStep(bool stopOnError, Step&& step) {
  if (stopOnError) {
    step();
  } else {
    ResumeNext(step);
  }
}

// Whether the project is locked, as the guard sees it: its protection is
// asked only when the IDE's probe read fails. For the drivers that skip
// failing steps, a protection that cannot be read lets the command go on and
// the host decide what the edits do.
bool ProjectLocked(Globals& g, vbide::VBProject& project, bool stopOnError) {
  if (!f_IdeReadFails(g)) return false;
  bool locked = false;
  GuardStep(stopOnError, [&] { locked = project.Protection() == vbide::kProtectionLocked; });
  return locked;
}

// The guard all three drivers begin with: the active project, not locked.
// A failing guard shows its message and gives null. The drivers word the
// Chinese no-project message differently.
vbide::VBProject* ProjectToIndent(Globals& g, VbStringView noProjectZh, bool stopOnError) {
  vbide::VBProject* project = nullptr;
  GuardStep(stopOnError, [&] { project = f_VBE(g).ActiveVBProject(); });
  if (!project) {
    g.Message(g.Text(kNoProjectEn, noProjectZh));
    return nullptr;
  }
  if (ProjectLocked(g, *project, stopOnError)) {
    g.Message(g.Text(kLockedEn, kLockedZh));
    return nullptr;
  }
  return project;
}

// The guard of the two module drivers that follows: the active code pane
// (left in `pane`) and its module, which must hold code. A module whose
// lines cannot be read is not reported as empty when failing steps are
// skipped; the routine leaves such lines alone. Null when a guard fails.
vbide::CodeModule* ModuleToIndent(Globals& g, bool stopOnError, vbide::CodePane*& pane) {
  pane = nullptr;
  GuardStep(stopOnError, [&] { pane = f_VBE(g).ActiveCodePane(); });
  if (!pane) {
    g.Message(g.Text(kNoModuleEn, kNoModuleZh));
    return nullptr;
  }
  vbide::CodeModule* module = nullptr;
  GuardStep(stopOnError, [&] { module = &pane->CodeModule(); });
  if (!module) return nullptr;
  bool hasCode = true;
  GuardStep(stopOnError, [&] { hasCode = f_HasCode(*module); });
  if (!hasCode) {
    g.Message(g.Text(kNoCodeEn, kNoCodeZh));
    return nullptr;
  }
  return module;
}

void ShowProgress(Globals& g, std::int32_t max) {
  frmProgress& window = ProgressWindow(g);
  window.SetMin(0);
  window.SetMax(max);
  window.Show();
}

}  // namespace

// No handler of its own: an error of the host ends the command and reaches
// the command's starter, which reports it and unloads the progress window.
void s_IndentProcedure(Globals& g) {
  if (!ProjectToIndent(g, u"不能缩进当前工程", true)) return;
  vbide::CodePane* pane = nullptr;
  vbide::CodeModule* found = ModuleToIndent(g, true, pane);
  if (!found) return;
  vbide::CodeModule& module = *found;

  Selection s;
  pane->GetSelection(s.startLine, s.startColumn, s.endLine, s.endColumn);
  // The caret may stand below the module's last line (the blank lines at the
  // end were just dropped); it belongs to the last line's procedure then.
  std::int32_t caretLine = std::clamp(s.startLine, 1, std::max(module.CountOfLines(), 1));
  vbide::ProcKind kind = vbide::ProcKind::Proc;
  VbString name = module.ProcOfLine(caretLine, kind);
  std::int32_t first, last;
  if (!name.empty()) {
    first = module.ProcStartLine(name, kind);
    last = first + module.ProcCountLines(name, kind) - 1;
  } else {
    name = u"Declarations";
    first = 1;
    last = module.CountOfDeclarationLines();
  }

  s_KeepSelection(g, u"store");
  ShowProgress(g, last - first);
  s_IndentLines(g, module, name, first, last, 0);
  UnloadProgress(g);
  s_KeepSelection(g, u"restore");
}

// Every failing step is skipped and the command goes on.
void s_IndentModule(Globals& g) {
  if (!ProjectToIndent(g, u"不能缩进当前工程。", false)) return;
  vbide::CodePane* pane = nullptr;
  vbide::CodeModule* module = ModuleToIndent(g, false, pane);
  if (!module) return;

  s_KeepSelection(g, u"store");
  std::int32_t lines = 0;
  ResumeNext([&] { lines = module->CountOfLines(); });
  ResumeNext([&] { ShowProgress(g, lines - 1); });
  VbString name;
  ResumeNext([&] { name = module->Parent().Name(); });
  s_IndentLines(g, *module, name, 1, lines, 0);
  UnloadProgress(g);
  s_KeepSelection(g, u"restore");
}

// Every failing step is skipped and the command goes on.
void s_IndentProject(Globals& g) {
  vbide::VBProject* project = ProjectToIndent(g, u"不能缩进当前工程", false);
  if (!project) return;

  std::vector<vbide::VBComponent*> components;
  ResumeNext([&] { components = project->VBComponents(); });
  // First pass: the components with a code module that holds code, and the
  // total of their lines for the progress window.
  std::vector<vbide::VBComponent*> withCode;
  std::int32_t total = 0;
  for (vbide::VBComponent* component : components) {
    bool counts = false;
    ResumeNext([&] { counts = f_HasCodeModule(*component) && f_HasCode(component->CodeModule()); });
    if (!counts) continue;
    withCode.push_back(component);
    ResumeNext([&] { total += component->CodeModule().CountOfLines(); });
  }
  if (withCode.empty()) {
    VbString projectName;
    ResumeNext([&] { projectName = project->Name(); });
    VbString text = g.IsChinese() ? VbString(u"当前工程 '") + projectName + u"' 没有包含任何代码"
                                  : VbString(u"The current project, '") + projectName + u"', does not contain any code";
    g.Message(text);
    return;
  }

  s_KeepSelection(g, u"store");
  ResumeNext([&] { ShowProgress(g, total - 1); });
  // Second pass: each module from line 1, its progress after the lines of the
  // modules before it.
  std::int32_t offset = 0;
  for (vbide::VBComponent* component : withCode) {
    vbide::CodeModule* module = nullptr;
    ResumeNext([&] { module = &component->CodeModule(); });
    if (!module) continue;
    VbString name;
    ResumeNext([&] { name = component->Name(); });
    std::int32_t lines = 0;
    ResumeNext([&] { lines = module->CountOfLines(); });
    s_IndentLines(g, *module, name, 1, lines, offset);
    ResumeNext([&] { offset += module->CountOfLines(); });
  }
  UnloadProgress(g);
  s_KeepSelection(g, u"restore");
}

bool f_HasCodeModule(vbide::VBComponent& component) {
  return ResumeNext([&] { (void)component.CodeModule().CountOfLines(); });
}

bool f_HasCode(vbide::CodeModule& module) {
  std::int32_t lines = module.CountOfLines();
  for (std::int32_t line = 1; line <= lines; ++line) {
    if (!IsBlankLine(module.Lines(line, 1))) return true;
  }
  return false;
}

}  // namespace kv
