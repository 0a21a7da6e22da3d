// Reads per second from the settings store: the seven keys the indentation
// routine reads for every module, from a cached file (a stat and a lookup
// each), with and without a team's override file, against a bare stat.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "options/modSettings.h"

namespace {

namespace fs = std::filesystem;

const kv::VbStringView kKeys[] = {u"IndentProc", u"IndentCmt",   u"IndentCase",  u"IndentFirst",
                                  u"AlignEOL",   u"AlignEOLCol", u"IndentSpaces"};

struct Files {
  fs::path folder = fs::temp_directory_path() / ("kestrova-bench-" + std::to_string(::getpid()));
  fs::path user = folder / "settings.ini";
  fs::path team = folder / ".kestrova.ini";
  Files() {
    fs::create_directories(folder);
    std::ofstream(user) << "[Kestrovaer]\nIndentProc=Y\nIndentCmt=Y\nIndentCase=N\nIndentFirst=Y\nAlignEOL=Y\n"
                           "AlignEOLCol=55\nIndentSpaces=4\nLanguage=0\n";
    std::ofstream(team) << "[Kestrovaer]\nIndentSpaces=2\n";
  }
  ~Files() { fs::remove_all(folder); }
};

void BM_ReadSevenKeys(benchmark::State& state) {
  Files files;
  kv::SettingsStore store(files.user);
  if (state.range(0)) store.SetOverride(files.team);
  for (auto _ : state) {
    for (kv::VbStringView key : kKeys) benchmark::DoNotOptimize(store.ReadSetting(key, u"Y"));
  }
  state.SetItemsProcessed(state.iterations() * 7);
}
BENCHMARK(BM_ReadSevenKeys)->ArgName("override")->Arg(0)->Arg(1);

void BM_Stat(benchmark::State& state) {
  Files files;
  struct stat info {};
  for (auto _ : state) benchmark::DoNotOptimize(::stat(files.user.c_str(), &info));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Stat);

}  // namespace

BENCHMARK_MAIN();
