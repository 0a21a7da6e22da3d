// Refusals on demand: a test arms an operation of the model IDE so that it
// throws VbError, to drive the add-in's failure paths.
//
// Operations are named "Class.Method" after the object-model interface:
// "CodeModule.ReplaceLine", "VBE.Version", "CommandBarControl.SetCaption",
// "CommandBars.FindControl"... (a property setter is named by its Set method).
// An armed operation lets `skip` calls through, then refuses `times` calls
// (a negative count: every call from then on), then works again:
//
//   vbe.Faults().Refuse("CodeModule.ReplaceLine", {.skip = 2, .times = 1});
//
// Every operation of the model calls Check first; with nothing armed that is
// one test of an empty vector.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/VbError.h"

namespace kv::model {

struct FaultPlan {
  std::int32_t skip = 0;    // calls that pass before the first refusal
  std::int32_t times = -1;  // refusals in a row; negative: for ever
  std::int32_t number = vberr::kMethodFailed;
  VbString description = {};  // empty: "Method 'M' of object 'C' failed"
};

class Faults {
 public:
  // Arms `operation`. Throws std::invalid_argument for a name no operation of
  // the model has, so a misspelt name cannot make a test pass vacuously.
  void Refuse(std::string_view operation, FaultPlan plan = {});
  // Disarms one operation, or every one.
  void Clear(std::string_view operation);
  void Clear();
  // How many calls an armed operation refused so far (0 when not armed).
  std::int32_t Refusals(std::string_view operation) const;

  // Called at the start of every operation; throws when it is to refuse.
  void Check(std::string_view operation) {
    if (!armed_.empty()) CheckArmed(operation);
  }

  // Whether the model has an operation of that name.
  static bool IsOperation(std::string_view operation);

 private:
  struct Armed {
    std::string operation;
    FaultPlan plan;
    std::int64_t calls = 0;
    std::int32_t refusals = 0;
  };
  void CheckArmed(std::string_view operation);
  std::vector<Armed> armed_;
};

}  // namespace kv::model
