// The click sink of one command-bar control: turns a click into a command
// number and runs the dispatcher.
#pragma once

#include <memory>

#include "host/VBIDE.h"

namespace kv {

class Globals;

class CBtnEvents : public vbide::CommandBarEventsSink {
 public:
  explicit CBtnEvents(Globals& g);
  ~CBtnEvents() override;

  const std::shared_ptr<vbide::CommandBarEvents>& oHook() const { return oHook_; }
  // Connects the sink to the click events of one control.
  void SetOHook(std::shared_ptr<vbide::CommandBarEvents> events, vbide::ControlPtr control);

  void Click(vbide::CommandBarControl& control, bool& handled, bool& cancelDefault) override;

 private:
  Globals& g_;
  std::shared_ptr<vbide::CommandBarEvents> oHook_;
  vbide::ControlPtr control_;
};

}  // namespace kv
