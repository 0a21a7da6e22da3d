// Replays every input the fuzz targets ever failed on (fuzz/regressions/) and
// their seed corpora (fuzz/corpus/) through the targets' bodies, so that a
// fault once found stays fixed in the normal test run. Each regression is a
// test of its own, named after its target and file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "Invariants.h"
#include "Targets.h"
#include "support/TempFolder.h"

namespace kv::fuzz {
namespace {

namespace fs = std::filesystem;

using Body = void (*)(std::string_view);

const std::map<std::string, Body>& Bodies() {
  static const std::map<std::string, Body> bodies = {{"indent", FuzzIndent},
                                                     {"commands", FuzzCommands}, {"folding", FuzzFolding},
                                                     {"files", FuzzFiles},
                                                     {"settings", FuzzSettings}};
  return bodies;
}

struct Input { std::string target; fs::path file; };

// The files below fuzz/<folder>/<target>/, in a stable order.
std::vector<Input> InputsIn(const char* folder) {
  std::vector<Input> inputs;
  const fs::path root = fs::path(KV_SOURCE_DIR) / "fuzz" / folder;
  for (const auto& [target, body] : Bodies()) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root / target, error)) {
      if (entry.is_regular_file()) inputs.push_back({target, entry.path()});
    }
  }
  std::sort(inputs.begin(), inputs.end(), [](const Input& a, const Input& b) { return a.file < b.file; });
  return inputs;
}

std::string TestName(const testing::TestParamInfo<Input>& info) {
  std::string name = info.param.target + "_" + info.param.file.filename().string();
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name + "_" + std::to_string(info.index);
}

void Replay(const Input& input) {
  try {
    Bodies().at(input.target)(test::ReadBytes(input.file));
  } catch (const Violation& v) {
    ADD_FAILURE() << input.file << ": " << v.what();
  }
}

// Each regression on its own, so that a failure names its input.
class Regression : public testing::TestWithParam<Input> {};

TEST_P(Regression, HoldsEveryInvariant) { Replay(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Fuzz, Regression, testing::ValuesIn(InputsIn("regressions")), TestName);

// The seeds, hundreds of them, in one test per target.
TEST(FuzzSeeds, HoldEveryInvariant) {
  std::map<std::string, int> seeds;
  for (const Input& input : InputsIn("corpus")) {
    Replay(input);
    ++seeds[input.target];
  }
  for (const auto& [target, body] : Bodies()) EXPECT_GT(seeds[target], 0) << "no seeds for " << target;
}

}  // namespace
}  // namespace kv::fuzz
