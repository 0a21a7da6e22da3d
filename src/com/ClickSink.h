// The click events of one command-bar control over COM: the events object
// that Events.CommandBarEvents(control) returns, with a sink connected to
// its connection point for each CommandBarEventsSink the add-in advises.
//
// The connection point is found through IConnectionPointContainer and its
// interface learnt at run time (EnumConnectionPoints, GetConnectionInterface);
// the sink answers for that IID and for IDispatch. Click is DISPID 1 with
// (CommandBarControl, ByRef handled, ByRef CancelDefault). Nothing a click
// raises crosses back into the IDE as an exception.
#pragma once

#include <functional>
#include <memory>

#include "com/Dispatch.h"
#include "host/VBIDE.h"

namespace kv::com {

// `own` is the control the events belong to (its IDispatch `ownDispatch`);
// a click on it passes `own` itself to the sinks, a click on another control
// passes what `wrap` makes of that control.
std::shared_ptr<vbide::CommandBarEvents> MakeClickEvents(LateBound events, vbide::ControlPtr own,
                                                         IDispatch* ownDispatch,
                                                         std::function<vbide::ControlPtr(IDispatch*)> wrap);

}  // namespace kv::com
