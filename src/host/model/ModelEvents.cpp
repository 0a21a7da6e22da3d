// Click events of command-bar controls and the routing of a click.
#include "host/model/ModelEvents.h"

#include <algorithm>

#include "host/model/Faults.h"
#include "host/model/ModelErrors.h"

namespace kv::model {

ModelCommandBarEvents::ModelCommandBarEvents(ModelControlPtr control, std::shared_ptr<Faults> faults)
    : control_(std::move(control)), faults_(std::move(faults)) {}

bool ModelCommandBarEvents::IsAdvised(const vbide::CommandBarEventsSink& sink) const {
  return std::find(sinks_.begin(), sinks_.end(), &sink) != sinks_.end();
}

void ModelCommandBarEvents::Advise(vbide::CommandBarEventsSink& sink) {
  faults_->Check("CommandBarEvents.Advise");
  if (!IsAdvised(sink)) sinks_.push_back(&sink);
}

void ModelCommandBarEvents::Unadvise(vbide::CommandBarEventsSink& sink) {
  faults_->Check("CommandBarEvents.Unadvise");
  std::erase(sinks_, &sink);
}

ModelEvents::ModelEvents(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

std::vector<std::shared_ptr<ModelCommandBarEvents>> ModelEvents::Live() {
  std::erase_if(handedOut_, [](const std::weak_ptr<ModelCommandBarEvents>& weak) { return weak.expired(); });
  std::vector<std::shared_ptr<ModelCommandBarEvents>> live;
  for (const auto& weak : handedOut_) {
    if (auto events = weak.lock()) live.push_back(std::move(events));
  }
  return live;
}

void ModelEvents::RaiseClick(ModelControl& clicked) {
  const VbString tag = clicked.Data().tag;
  bool handled = false;
  bool cancelDefault = false;
  // Sinks may connect, disconnect or delete controls while the click runs:
  // work on a snapshot and skip a sink that was disconnected meanwhile.
  for (const auto& events : Live()) {
    ModelControl& own = *events->Control();
    bool reached = tag.empty() ? &own == &clicked : own.Data().tag == tag;
    if (!reached) continue;
    std::vector<vbide::CommandBarEventsSink*> sinks = events->Sinks();
    for (vbide::CommandBarEventsSink* sink : sinks) {
      if (events->IsAdvised(*sink)) sink->Click(clicked, handled, cancelDefault);
    }
  }
}

std::shared_ptr<vbide::CommandBarEvents> ModelEvents::CommandBarEvents(const vbide::ControlPtr& control) {
  faults_->Check("Events.CommandBarEvents");
  auto own = std::dynamic_pointer_cast<ModelControl>(control);
  if (!own) RaiseNothing();
  if (own->Deleted()) RaiseDisconnected();
  auto events = std::make_shared<ModelCommandBarEvents>(std::move(own), faults_);
  handedOut_.push_back(events);
  return events;
}

}  // namespace kv::model
