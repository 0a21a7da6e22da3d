// A component and its code module.
#include "host/model/ModelComponent.h"

#include <stdexcept>

#include "host/model/Faults.h"
#include "host/model/ModelErrors.h"
#include "host/model/ModelProject.h"

namespace kv::model {

ModelComponent::ModelComponent(ModelProject& project, VbString name, vbide::ComponentType type, Faults& faults)
    : project_(project), faults_(faults), name_(std::move(name)), type_(type) {
  if (KindHasCode(type)) code_ = std::make_unique<ModelCodeModule>(*this, faults);
}

bool ModelComponent::KindHasCode(vbide::ComponentType type) {
  return type != vbide::ComponentType::RelatedDocument && type != vbide::ComponentType::ResFile;
}

ModelCodeModule& ModelComponent::Code() {
  if (!code_) throw std::logic_error("this component has no code module");
  return *code_;
}

VbString ModelComponent::Name() {
  faults_.Check("VBComponent.Name");
  return name_;
}

vbide::ComponentType ModelComponent::Type() {
  faults_.Check("VBComponent.Type");
  return type_;
}

vbide::CodeModule& ModelComponent::CodeModule() {
  faults_.Check("VBComponent.CodeModule");
  // The IDE hands out nothing for a component without code; using it fails.
  if (!code_) RaiseNothing();
  return *code_;
}

vbide::VBProject& ModelComponent::Collection() {
  faults_.Check("VBComponent.Collection");
  return project_;
}

}  // namespace kv::model
