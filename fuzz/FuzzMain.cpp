// The libFuzzer entry point of one target; KV_FUZZ_BODY names its body (see
// Targets.h). An invariant that does not hold, or an exception the code under
// test lets escape, is printed and ends the process as a crash, which the
// fuzzer reports and keeps the input of.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string_view>

#include "Invariants.h"
#include "Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    kv::fuzz::KV_FUZZ_BODY(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const kv::fuzz::Violation& v) {
    std::fprintf(stderr, "\ninvariant broken: %s\n", v.what());
    std::fflush(stderr);
    __builtin_trap();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "\nexception escaped: %s\n", e.what());
    std::fflush(stderr);
    __builtin_trap();
  }
  return 0;
}
