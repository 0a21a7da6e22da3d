// Placeholder: click routing arrives with its own change.
#include "host/CBtnEvents.h"

namespace kv {
CBtnEvents::CBtnEvents(Globals& g) : g_(g) {}
CBtnEvents::~CBtnEvents() = default;
void CBtnEvents::SetOHook(std::shared_ptr<vbide::CommandBarEvents> events, vbide::ControlPtr control) {
  oHook_ = std::move(events);
  control_ = std::move(control);
}
void CBtnEvents::Click(vbide::CommandBarControl&, bool&, bool&) {}
}  // namespace kv
