// The in-memory IDE served over IDispatch, as the real IDE serves its own
// objects to an add-in: VBE, projects, components, code modules, code panes,
// windows, command bars with their controls, and Events whose
// CommandBarEvents objects have real connection points that raise Click
// through the connected sink's IDispatch::Invoke.
//
// Every object of the model has one COM object (so identities compare as
// the IDE's do); members are found by name through GetIDsOfNames, with the
// argument forms of the IDE's type library; a refusal of the model comes
// back as DISP_E_EXCEPTION carrying its VB error number and description.
// This lets the add-in's DLL run against the in-memory IDE over COM, the
// road it takes in the real IDE.
#pragma once

#include <memory>

#include "host/model/ModelVBE.h"

struct IDispatch;

namespace kv::modelcom {

class ObjectModelServer {
 public:
  explicit ObjectModelServer(model::ModelVBE& vbe);
  ~ObjectModelServer();
  ObjectModelServer(const ObjectModelServer&) = delete;
  ObjectModelServer& operator=(const ObjectModelServer&) = delete;

  // The root object (no reference is added: the server keeps one).
  IDispatch* Application();

  struct Objects;

 private:
  std::unique_ptr<Objects> objects_;
};

}  // namespace kv::modelcom
