// A component of a project in the in-memory IDE: a named module of one kind,
// with a code module unless it is a related document or a resource file.
#pragma once

#include <memory>

#include "host/VBIDE.h"
#include "host/model/ModelCodeModule.h"

namespace kv::model {

class Faults;
class ModelProject;

class ModelComponent final : public vbide::VBComponent {
 public:
  ModelComponent(ModelProject& project, VbString name, vbide::ComponentType type, Faults& faults);

  // Every kind has code but related documents and resource files.
  static bool KindHasCode(vbide::ComponentType type);
  bool HasCode() const { return code_ != nullptr; }
  // The code module; throws std::logic_error for a component without one.
  ModelCodeModule& Code();
  ModelProject& Project() { return project_; }
  const VbString& NameText() const { return name_; }
  void SetName(VbString name) { name_ = std::move(name); }

  // ---- vbide::VBComponent ----
  VbString Name() override;
  vbide::ComponentType Type() override;
  vbide::CodeModule& CodeModule() override;
  vbide::VBProject& Collection() override;

 private:
  ModelProject& project_;
  Faults& faults_;
  VbString name_;
  vbide::ComponentType type_;
  std::unique_ptr<ModelCodeModule> code_;
};

}  // namespace kv::model
