// The error a refused object-model call raises, and the "resume next" helper.
//
// Every call of the object model that the IDE refuses throws VbError, which
// carries the VB error number and description the IDE would raise. Code that
// must skip a failing step and go on (the places that run under an
// "On Error Resume Next" rule) wraps that one step in ResumeNext.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "support/text/VbText.h"

namespace kv {

// VB's own run-time error numbers, as the IDE and the language raise them.
namespace vberr {
inline constexpr std::int32_t kInvalidProcedureCall = 5;
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kPermissionDenied = 70;
inline constexpr std::int32_t kObjectVariableNotSet = 91;
inline constexpr std::int32_t kObjectDoesNotSupport = 438;
inline constexpr std::int32_t kMethodFailed = -2147467259;  // E_FAIL, "Method '~' of object '~' failed"
}  // namespace vberr

class VbError : public std::exception {
 public:
  VbError(std::int32_t number, VbString description)
      : number_(number), description_(std::move(description)), what_(VbToUtf8(description_)) {}

  std::int32_t Number() const noexcept { return number_; }
  const VbString& Description() const noexcept { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::int32_t number_;
  VbString description_;
  std::string what_;
};

[[noreturn]] inline void Raise(std::int32_t number, VbString description) {
  throw VbError(number, std::move(description));
}

// Runs one step; a VbError it raises is swallowed. Returns whether the step
// completed.
template <class Step>
bool ResumeNext(Step&& step) {
  try {
    std::forward<Step>(step)();
    return true;
  } catch (const VbError&) {
    return false;
  }
}

}  // namespace kv
