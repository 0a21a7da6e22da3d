// The IDE's object model over COM: every class of host/VBIDE.h implemented
// by late binding on the IDE's own IDispatch objects, so the add-in runs in
// the real IDE exactly as it runs in the in-memory one.
//
// Objects reached through the root are wrapped once per COM identity and
// live as long as the root; command-bar controls and their events objects
// are shared, as the interface asks. A refused call raises the VbError the
// IDE reported (com/Dispatch.h).
#pragma once

#include <memory>

#include "host/VBIDE.h"

struct IDispatch;

namespace kv::com {

class Session;

class ComVBE final : public vbide::VBE {
 public:
  // `application` is the IDE's root object; a reference is kept.
  explicit ComVBE(IDispatch* application);
  ~ComVBE() override;
  ComVBE(const ComVBE&) = delete;
  ComVBE& operator=(const ComVBE&) = delete;

  // The IDE's main window handle (MainWindow.hWnd), 0 when it has none.
  std::intptr_t MainWindowHandle();

  vbide::VBProject* ActiveVBProject() override;
  vbide::CodePane* ActiveCodePane() override;
  std::vector<vbide::VBProject*> VBProjects() override;
  std::vector<vbide::Window*> Windows() override;
  vbide::CommandBars& CommandBars() override;
  vbide::Events& Events() override;
  VbString Version() override;

 private:
  std::shared_ptr<Session> session_;
};

}  // namespace kv::com
