// Click events of command-bar controls, and their routing.
//
// Events.CommandBarEvents(control) hands out an events object for one
// control; sinks connect to it with Advise. A click on a control raises Click
// on every connected sink whose control has the same tag as the clicked one
// (for a control without a tag: the sinks of that very control), in the
// order the events objects were handed out, passing the clicked control. A
// deleted control's sinks are included: its tag is remembered. An events
// object lives as long as someone holds it; the IDE only keeps track of it.
#pragma once

#include <memory>
#include <vector>

#include "host/VBIDE.h"
#include "host/model/ModelCommandBars.h"

namespace kv::model {

class Faults;

class ModelCommandBarEvents final : public vbide::CommandBarEvents {
 public:
  ModelCommandBarEvents(ModelControlPtr control, std::shared_ptr<Faults> faults);

  const ModelControlPtr& Control() const { return control_; }
  bool IsAdvised(const vbide::CommandBarEventsSink& sink) const;
  const std::vector<vbide::CommandBarEventsSink*>& Sinks() const { return sinks_; }

  // ---- vbide::CommandBarEvents ----
  // Connecting a sink twice connects it once.
  void Advise(vbide::CommandBarEventsSink& sink) override;
  void Unadvise(vbide::CommandBarEventsSink& sink) override;

 private:
  ModelControlPtr control_;
  std::shared_ptr<Faults> faults_;
  std::vector<vbide::CommandBarEventsSink*> sinks_;
};

class ModelEvents final : public vbide::Events {
 public:
  explicit ModelEvents(std::shared_ptr<Faults> faults);

  // Raises Click as described above. An exception a sink throws ends the
  // routing and reaches the caller.
  void RaiseClick(ModelControl& clicked);
  // The events objects still alive, in the order they were handed out.
  std::vector<std::shared_ptr<ModelCommandBarEvents>> Live();

  // ---- vbide::Events ----
  std::shared_ptr<vbide::CommandBarEvents> CommandBarEvents(const vbide::ControlPtr& control) override;

 private:
  std::shared_ptr<Faults> faults_;
  std::vector<std::weak_ptr<ModelCommandBarEvents>> handedOut_;
};

}  // namespace kv::model
