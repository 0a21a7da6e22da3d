// Replays every input the fuzz targets ever failed on (fuzz/regressions/) and
// their seed corpora (fuzz/corpus/) through the targets' bodies, so that a
// fault once found stays fixed in the normal test run. Each file is a test of
// its own, named after its target and file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "Invariants.h"
#include "Targets.h"

namespace kv::fuzz {
namespace {

namespace fs = std::filesystem;

using Body = void (*)(std::string_view);

const std::map<std::string, Body>& Bodies() {
  static const std::map<std::string, Body> bodies = {{"indent", FuzzIndent},
                                                     {"commands", FuzzCommands},
                                                     {"folding", FuzzFolding},
                                                     {"files", FuzzFiles},
                                                     {"settings", FuzzSettings}};
  return bodies;
}

struct Input {
  std::string target;
  fs::path file;
};

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

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string TestName(const testing::TestParamInfo<Input>& info) {
  std::string name = info.param.target + "_" + info.param.file.filename().string();
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name + "_" + std::to_string(info.index);
}

class Replay : public testing::TestWithParam<Input> {};

TEST_P(Replay, HoldsEveryInvariant) {
  const Input& input = GetParam();
  try {
    Bodies().at(input.target)(Bytes(input.file));
  } catch (const Violation& v) {
    ADD_FAILURE() << input.file << ": " << v.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Regressions, Replay, testing::ValuesIn(InputsIn("regressions")), TestName);
INSTANTIATE_TEST_SUITE_P(Corpus, Replay, testing::ValuesIn(InputsIn("corpus")), TestName);

// Every target has a seed corpus to start from.
TEST(FuzzInputs, EveryTargetHasSeeds) {
  for (const auto& [target, body] : Bodies()) {
    const fs::path seeds = fs::path(KV_SOURCE_DIR) / "fuzz" / "corpus" / target;
    EXPECT_TRUE(fs::is_directory(seeds) && !fs::is_empty(seeds)) << seeds;
  }
}

}  // namespace
}  // namespace kv::fuzz
