// A project and its components.
#include "host/model/ModelProject.h"

#include "host/model/Faults.h"
#include "host/model/ModelVBE.h"

namespace kv::model {

ModelProject::ModelProject(ModelVBE& vbe, VbString name, Faults& faults)
    : vbe_(vbe), faults_(faults), name_(std::move(name)) {}

ModelComponent& ModelProject::AddComponent(VbString name, vbide::ComponentType type) {
  components_.push_back(std::make_unique<ModelComponent>(*this, std::move(name), type, faults_));
  return *components_.back();
}

ModelComponent& ModelProject::AddModule(VbString name, VbStringView text) {
  ModelComponent& component = AddComponent(std::move(name), vbide::ComponentType::StdModule);
  component.Code().LoadText(text);
  return component;
}

ModelComponent* ModelProject::FindComponent(VbStringView name) {
  for (auto& c : components_) {
    if (EqualsNoCase(c->NameText(), name)) return c.get();
  }
  return nullptr;
}

VbString ModelProject::Name() {
  faults_.Check("VBProject.Name");
  return name_;
}

std::int32_t ModelProject::Protection() {
  faults_.Check("VBProject.Protection");
  return protection_;
}

std::vector<vbide::VBComponent*> ModelProject::VBComponents() {
  faults_.Check("VBProject.VBComponents");
  std::vector<vbide::VBComponent*> out;
  out.reserve(components_.size());
  for (auto& c : components_) out.push_back(c.get());
  return out;
}

vbide::VBE& ModelProject::VBE() {
  faults_.Check("VBProject.VBE");
  return vbe_;
}

}  // namespace kv::model
