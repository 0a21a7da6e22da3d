// The root of the in-memory IDE: projects, code panes, windows, command bars
// and click events, behind the object-model interface the add-in uses.
//
// A test builds one on a platform, adds projects and modules, opens a code
// pane and makes it active:
//
//   platform::HeadlessPlatform platform({.windowsDirectory = dir});
//   model::ModelVBE vbe(platform, {.immediateVisible = false});
//   model::ModelProject& project = vbe.AddProject(u"Project1");
//   model::ModelComponent& module = project.AddModule(u"Module1", u"Sub A()\r\nEnd Sub");
//   vbe.ActivateCodePane(&vbe.OpenCodePane(module));
//
// ModelOptions chooses the language, the Immediate window and which command
// bars and built-in controls exist. Any operation can be made to refuse
// through Faults(). The platform must outlive the IDE: every window of the
// IDE is one of its windows.
#pragma once

#include <memory>
#include <vector>

#include "host/VBIDE.h"
#include "host/model/Faults.h"
#include "host/model/ModelCodePane.h"
#include "host/model/ModelCommandBars.h"
#include "host/model/ModelEvents.h"
#include "host/model/ModelOptions.h"
#include "host/model/ModelProject.h"
#include "host/model/ModelWindow.h"

namespace kv::model {

class ModelVBE final : public vbide::VBE {
 public:
  explicit ModelVBE(platform::Platform& platform, ModelOptions options = {});
  ~ModelVBE() override;
  ModelVBE(const ModelVBE&) = delete;
  ModelVBE& operator=(const ModelVBE&) = delete;

  model::Faults& Faults() { return *faults_; }
  platform::Platform& Platform() { return platform_; }
  Language UiLanguage() const { return options_.language; }

  // ---- Projects ----
  // Appends a project; the first one becomes the active project.
  ModelProject& AddProject(VbString name);
  const std::vector<std::unique_ptr<ModelProject>>& Projects() const { return projects_; }
  ModelProject* FindProject(VbStringView name);
  void SetActiveProject(ModelProject* project) { activeProject_ = project; }
  // Closes every project with its code panes; no pane or project is active
  // afterwards.
  void CloseProjects();

  // ---- Code panes ----
  // The component's code pane, opened (its window shown) on first use.
  // Throws std::logic_error for a component without code.
  ModelCodePane& OpenCodePane(ModelComponent& component);
  // Makes the pane the active one, its project the active project, and gives
  // its window the focus; nullptr leaves no active pane.
  void ActivateCodePane(ModelCodePane* pane);
  ModelCodePane* ActivePane() { return activePane_; }

  // ---- Windows ----
  // The first window of type Immediate, or nullptr.
  ModelWindow* ImmediateWindow();
  // Appends a window of any type to Windows.
  ModelWindow& AddWindow(vbide::WindowType type, VbString caption, bool visible);

  // ---- Command bars and clicks ----
  ModelCommandBars& Bars() { return *bars_; }
  ModelEvents& EventRouter() { return *events_; }
  // The user clicks a control: Click is raised on every sink the routing
  // reaches (see ModelEvents), then the platform's message loop runs.
  // Throws std::logic_error for a deleted control or one of another IDE.
  void Click(const vbide::ControlPtr& control);

  // ---- vbide::VBE ----
  vbide::VBProject* ActiveVBProject() override;
  vbide::CodePane* ActiveCodePane() override;
  std::vector<vbide::VBProject*> VBProjects() override;
  std::vector<vbide::Window*> Windows() override;
  vbide::CommandBars& CommandBars() override;
  vbide::Events& Events() override;
  VbString Version() override;

 private:
  ModelOptions options_;
  platform::Platform& platform_;
  std::shared_ptr<model::Faults> faults_;
  std::vector<std::unique_ptr<ModelProject>> projects_;
  std::vector<std::unique_ptr<ModelWindow>> windows_;
  std::vector<std::unique_ptr<ModelCodePane>> panes_;
  std::unique_ptr<ModelCommandBars> bars_;
  std::unique_ptr<ModelEvents> events_;
  ModelProject* activeProject_ = nullptr;
  ModelCodePane* activePane_ = nullptr;
};

}  // namespace kv::model
