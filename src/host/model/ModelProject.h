// A project of the in-memory IDE: a name, a protection state and its
// components in order.
#pragma once

#include <memory>
#include <vector>

#include "host/VBIDE.h"
#include "host/model/ModelComponent.h"

namespace kv::model {

class Faults;
class ModelVBE;

class ModelProject final : public vbide::VBProject {
 public:
  ModelProject(ModelVBE& vbe, VbString name, Faults& faults);

  // Appends a component; a code module's text starts empty.
  ModelComponent& AddComponent(VbString name, vbide::ComponentType type = vbide::ComponentType::StdModule);
  // Appends a standard module holding `text`, loaded as from a file.
  ModelComponent& AddModule(VbString name, VbStringView text);
  // The component of that name (any letter case), or nullptr.
  ModelComponent* FindComponent(VbStringView name);
  const std::vector<std::unique_ptr<ModelComponent>>& Components() const { return components_; }
  ModelVBE& Vbe() { return vbe_; }
  const VbString& NameText() const { return name_; }
  void SetName(VbString name) { name_ = std::move(name); }
  void SetProtection(std::int32_t protection) { protection_ = protection; }

  // ---- vbide::VBProject ----
  VbString Name() override;
  std::int32_t Protection() override;
  std::vector<vbide::VBComponent*> VBComponents() override;
  vbide::VBE& VBE() override;

 private:
  ModelVBE& vbe_;
  Faults& faults_;
  VbString name_;
  std::int32_t protection_ = vbide::kProtectionUnprotected;
  std::vector<std::unique_ptr<ModelComponent>> components_;
};

}  // namespace kv::model
