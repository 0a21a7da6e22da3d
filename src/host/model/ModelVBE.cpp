// The root of the in-memory IDE.
#include "host/model/ModelVBE.h"

#include <stdexcept>

#include "host/model/BuiltInBars.h"

namespace kv::model {

namespace {

VbString Localized(Language language, VbStringView english, VbStringView chinese) {
  return VbString(language == Language::Chinese ? chinese : english);
}

}  // namespace

ModelVBE::ModelVBE(platform::Platform& platform, ModelOptions options)
    : options_(std::move(options)),
      platform_(platform),
      faults_(std::make_shared<model::Faults>()),
      bars_(std::make_unique<ModelCommandBars>(faults_)),
      events_(std::make_unique<ModelEvents>(faults_)) {
  const Language lang = options_.language;
  AddWindow(vbide::WindowType::ProjectWindow, Localized(lang, u"Project", u"工程"), true);
  AddWindow(vbide::WindowType::PropertyWindow, Localized(lang, u"Properties", u"属性"), true);
  if (options_.immediateWindow) {
    AddWindow(vbide::WindowType::Immediate, Localized(lang, u"Immediate", u"立即"), options_.immediateVisible);
  }
  AddBuiltInBars(*bars_, lang, options_.bars);
}

ModelVBE::~ModelVBE() = default;

ModelProject& ModelVBE::AddProject(VbString name) {
  projects_.push_back(std::make_unique<ModelProject>(*this, std::move(name), *faults_));
  if (!activeProject_) activeProject_ = projects_.back().get();
  return *projects_.back();
}

void ModelVBE::CloseProjects() {
  activePane_ = nullptr;
  activeProject_ = nullptr;
  panes_.clear();
  projects_.clear();
}

ModelProject* ModelVBE::FindProject(VbStringView name) {
  for (auto& p : projects_) {
    if (EqualsNoCase(p->NameText(), name)) return p.get();
  }
  return nullptr;
}

ModelCodePane& ModelVBE::OpenCodePane(ModelComponent& component) {
  for (auto& pane : panes_) {
    if (&pane->Component() == &component) {
      pane->PaneWindow().SetVisible(true);
      return *pane;
    }
  }
  if (!component.HasCode()) throw std::logic_error("a component without code has no code pane");
  VbString caption = component.Project().NameText() + u" - " + component.NameText() +
                     Localized(options_.language, u" (Code)", u" (代码)");
  panes_.push_back(std::make_unique<ModelCodePane>(component, platform_, *faults_, std::move(caption)));
  return *panes_.back();
}

void ModelVBE::ActivateCodePane(ModelCodePane* pane) {
  activePane_ = pane;
  if (!pane) return;
  activeProject_ = &pane->Component().Project();
  pane->PaneWindow().SetVisible(true);
  pane->PaneWindow().Focus();
}

ModelWindow* ModelVBE::ImmediateWindow() {
  for (auto& w : windows_) {
    if (w->Kind() == vbide::WindowType::Immediate) return w.get();
  }
  return nullptr;
}

ModelWindow& ModelVBE::AddWindow(vbide::WindowType type, VbString caption, bool visible) {
  windows_.push_back(std::make_unique<ModelWindow>(platform_, *faults_, type, std::move(caption), visible));
  return *windows_.back();
}

vbide::VBProject* ModelVBE::ActiveVBProject() {
  faults_->Check("VBE.ActiveVBProject");
  return activeProject_;
}

vbide::CodePane* ModelVBE::ActiveCodePane() {
  faults_->Check("VBE.ActiveCodePane");
  return activePane_;
}

std::vector<vbide::VBProject*> ModelVBE::VBProjects() {
  faults_->Check("VBE.VBProjects");
  std::vector<vbide::VBProject*> out;
  for (auto& p : projects_) out.push_back(p.get());
  return out;
}

std::vector<vbide::Window*> ModelVBE::Windows() {
  faults_->Check("VBE.Windows");
  std::vector<vbide::Window*> out;
  for (auto& w : windows_) out.push_back(w.get());
  for (auto& pane : panes_) out.push_back(&pane->PaneWindow());
  return out;
}

vbide::CommandBars& ModelVBE::CommandBars() {
  faults_->Check("VBE.CommandBars");
  return *bars_;
}

vbide::Events& ModelVBE::Events() {
  faults_->Check("VBE.Events");
  return *events_;
}

void ModelVBE::Click(const vbide::ControlPtr& control) {
  auto clicked = std::dynamic_pointer_cast<ModelControl>(control);
  if (!clicked) throw std::logic_error("only a control of the model IDE can be clicked");
  if (clicked->Deleted()) throw std::logic_error("a deleted control cannot be clicked");
  events_->RaiseClick(*clicked);
  platform_.DoEvents();
}

VbString ModelVBE::Version() {
  faults_->Check("VBE.Version");
  return options_.version;
}

}  // namespace kv::model
