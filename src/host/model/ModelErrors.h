// The errors the in-memory IDE raises when it refuses a call.
#pragma once

#include <cstdint>

#include "host/VbError.h"

namespace kv::model {

inline constexpr std::int32_t kSubOrFunctionNotDefined = 35;
// What a call on a command-bar control raises once the control is deleted.
inline constexpr std::int32_t kObjectDisconnected = -2147417848;

// An argument out of range: a line outside the module, a bad index.
[[noreturn]] inline void RaiseInvalidCall() { Raise(vberr::kInvalidProcedureCall, u"Invalid procedure call or argument"); }
// A procedure name and kind the module does not have.
[[noreturn]] inline void RaiseSubNotDefined() { Raise(kSubOrFunctionNotDefined, u"Sub or Function not defined"); }
// A property or method the object does not have (FaceId of a pop-up...).
[[noreturn]] inline void RaiseNotSupported() {
  Raise(vberr::kObjectDoesNotSupport, u"Object doesn't support this property or method");
}
[[noreturn]] inline void RaiseNothing() {
  Raise(vberr::kObjectVariableNotSet, u"Object variable or With block variable not set");
}
[[noreturn]] inline void RaiseDisconnected() {
  Raise(kObjectDisconnected, u"Automation error: The object invoked has disconnected from its clients.");
}

}  // namespace kv::model
