// Refusals on demand, and the names of every operation that can refuse.
#include "host/model/Faults.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace kv::model {

namespace {

// Every operation of the model, as the objects name it when they call Check.
constexpr std::string_view kOperations[] = {
    "VBE.ActiveVBProject", "VBE.ActiveCodePane", "VBE.VBProjects", "VBE.Windows", "VBE.CommandBars",
    "VBE.Events", "VBE.Version",
    "VBProject.Name", "VBProject.Protection", "VBProject.VBComponents", "VBProject.VBE",
    "VBComponent.Name", "VBComponent.Type", "VBComponent.CodeModule", "VBComponent.Collection",
    "CodeModule.Parent", "CodeModule.CountOfLines", "CodeModule.CountOfDeclarationLines", "CodeModule.Lines",
    "CodeModule.ReplaceLine", "CodeModule.InsertLines", "CodeModule.DeleteLines", "CodeModule.AddFromString",
    "CodeModule.ProcOfLine", "CodeModule.ProcStartLine", "CodeModule.ProcCountLines",
    "CodePane.GetSelection", "CodePane.SetSelection", "CodePane.CodeModule", "CodePane.Window",
    "Window.Type", "Window.Caption", "Window.Visible", "Window.SetFocus", "Window.hWnd",
    "CommandBars.Count", "CommandBars.Item", "CommandBars.FindControl",
    "CommandBar.Name", "CommandBar.Controls", "CommandBar.FindControl",
    "CommandBarControls.Count", "CommandBarControls.Item", "CommandBarControls.Add",
    "CommandBarControl.Type", "CommandBarControl.Id", "CommandBarControl.Index", "CommandBarControl.Caption",
    "CommandBarControl.SetCaption", "CommandBarControl.Parameter", "CommandBarControl.SetParameter",
    "CommandBarControl.Tag", "CommandBarControl.SetTag", "CommandBarControl.BeginGroup",
    "CommandBarControl.SetBeginGroup", "CommandBarControl.Visible", "CommandBarControl.FaceId",
    "CommandBarControl.SetFaceId", "CommandBarControl.Style", "CommandBarControl.SetStyle",
    "CommandBarControl.Delete", "CommandBarControl.CommandBar",
    "Events.CommandBarEvents", "CommandBarEvents.Advise", "CommandBarEvents.Unadvise"};

VbString DefaultDescription(std::string_view operation) {
  auto dot = operation.find('.');
  std::string_view object = operation.substr(0, dot);
  std::string_view method = dot == std::string_view::npos ? operation : operation.substr(dot + 1);
  return U("Method '" + std::string(method) + "' of object '" + std::string(object) + "' failed");
}

}  // namespace

bool Faults::IsOperation(std::string_view operation) {
  return std::find(std::begin(kOperations), std::end(kOperations), operation) != std::end(kOperations);
}

void Faults::Refuse(std::string_view operation, FaultPlan plan) {
  if (!IsOperation(operation)) throw std::invalid_argument("no model operation is named " + std::string(operation));
  Clear(operation);
  if (plan.description.empty()) plan.description = DefaultDescription(operation);
  armed_.push_back({std::string(operation), std::move(plan)});
}

void Faults::Clear(std::string_view operation) {
  std::erase_if(armed_, [&](const Armed& a) { return a.operation == operation; });
}

void Faults::Clear() { armed_.clear(); }

std::int32_t Faults::Refusals(std::string_view operation) const {
  for (const Armed& a : armed_) {
    if (a.operation == operation) return a.refusals;
  }
  return 0;
}

void Faults::CheckArmed(std::string_view operation) {
  for (Armed& a : armed_) {
    if (a.operation != operation) continue;
    std::int64_t call = a.calls++;
    bool refuse = call >= a.plan.skip && (a.plan.times < 0 || call < std::int64_t{a.plan.skip} + a.plan.times);
    if (!refuse) return;
    ++a.refusals;
    throw VbError(a.plan.number, a.plan.description);
  }
}

}  // namespace kv::model
