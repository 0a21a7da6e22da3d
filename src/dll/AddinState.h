// The add-in as the DLL runs it: the Win32 platform, the user's settings
// store, the add-in's process-wide state and its Connect handlers, with the
// IDE reached over COM. Kept apart from the COM class because the platform
// interface and <windows.h> cannot meet in one file.
#pragma once

#include <cstdint>
#include <memory>

struct IDispatch;

namespace kv::dll {

class AddinState {
 public:
  AddinState();
  ~AddinState();
  AddinState(const AddinState&) = delete;
  AddinState& operator=(const AddinState&) = delete;

  // Runs the add-in's connection handler on the IDE whose root object is
  // `application` (null: the handler reports the missing root).
  void Connect(IDispatch* application, std::int32_t mode);
  void Disconnect(std::int32_t mode);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kv::dll
