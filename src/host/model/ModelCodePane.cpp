// A code pane: its selection rules and its editor's keys.
#include "host/model/ModelCodePane.h"

#include <algorithm>

#include "host/model/Faults.h"
#include "host/model/ModelComponent.h"
#include "host/model/ModelProject.h"
#include "host/model/ModelVBE.h"
#include "host/model/ModelErrors.h"

namespace kv::model {

ModelCodePane::ModelCodePane(ModelComponent& component, platform::Platform& platform, Faults& faults,
                             VbString caption)
    : component_(component),
      faults_(faults),
      window_(std::make_unique<ModelWindow>(platform, faults, vbide::WindowType::CodeWindow, std::move(caption),
                                            true)) {
  window_->SetKeyEditor({[this] { SelectAll(); }, [this] { DeleteSelection(); }});
}

ModelCodeModule& ModelCodePane::Module() { return component_.Code(); }

void ModelCodePane::GetSelection(std::int32_t& startLine, std::int32_t& startColumn, std::int32_t& endLine,
                                 std::int32_t& endColumn) {
  faults_.Check("CodePane.GetSelection");
  startLine = selection_.startLine;
  startColumn = selection_.startColumn;
  endLine = selection_.endLine;
  endColumn = selection_.endColumn;
}

void ModelCodePane::SetSelection(std::int32_t startLine, std::int32_t startColumn, std::int32_t endLine,
                                 std::int32_t endColumn) {
  faults_.Check("CodePane.SetSelection");
  auto lastLine = std::max<std::int32_t>(1, static_cast<std::int32_t>(Module().AllLines().size()));
  bool lineOk = startLine >= 1 && endLine >= 1 && startLine <= lastLine && endLine <= lastLine;
  if (!lineOk || startColumn < 1 || endColumn < 1) RaiseInvalidCall();
  selection_ = {startLine, startColumn, endLine, endColumn};
}

void ModelCodePane::Show() {
  faults_.Check("CodePane.Show");
  component_.Project().Vbe().ActivateCodePane(this);
}

vbide::CodeModule& ModelCodePane::CodeModule() {
  faults_.Check("CodePane.CodeModule");
  return Module();
}

vbide::Window& ModelCodePane::Window() {
  faults_.Check("CodePane.Window");
  return *window_;
}

void ModelCodePane::SelectAll() {
  const auto& lines = Module().AllLines();
  if (lines.empty()) {
    selection_ = kCaretAtTop;
    return;
  }
  auto count = static_cast<std::int32_t>(lines.size());
  selection_ = {1, 1, count, static_cast<std::int32_t>(lines.back().size()) + 1};
}

void ModelCodePane::DeleteSelection() {
  ModelCodeModule& module = Module();
  const auto& lines = module.AllLines();
  if (lines.empty()) return;
  Selection s = selection_;
  if (std::pair(s.endLine, s.endColumn) < std::pair(s.startLine, s.startColumn)) {
    std::swap(s.startLine, s.endLine);
    std::swap(s.startColumn, s.endColumn);
  }
  if (s.startLine == s.endLine && s.startColumn == s.endColumn) {
    // No selection: Delete removes the character after the caret, or joins
    // the next line at the end of a line.
    auto line = std::clamp<std::int32_t>(s.startLine, 1, static_cast<std::int32_t>(lines.size()));
    auto length = static_cast<std::int32_t>(lines[line - 1].size());
    if (s.startColumn <= length) {
      s.endColumn = s.startColumn + 1;
    } else {
      if (line == static_cast<std::int32_t>(lines.size())) return;  // nothing after the caret
      s.endLine = line + 1;
      s.endColumn = 1;
    }
  }
  module.EraseText(s.startLine, s.startColumn, s.endLine, s.endColumn);
  selection_ = {s.startLine, s.startColumn, s.startLine, s.startColumn};
  if (module.AllLines().empty()) selection_ = kCaretAtTop;
}

}  // namespace kv::model
