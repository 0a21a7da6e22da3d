// Unfold-all (command 27) on a module holding many folded procedures: the
// markers at the top, the moved procedures at the end, as folding leaves
// them. Measured through the dispatcher on the in-memory IDE and as the text
// transformation alone; the procedure count varies to show linear cost.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchIde.h"
#include "organize/Folding.h"
#include "organize/modOrganize.h"

namespace {

using kv::VbString;

constexpr int kBodyLines = 96;

VbString Header(std::int64_t i) { return kv::U((i % 2 ? "Public Function F" : "Private Sub S") + std::to_string(i) + "()"); }

// `procedures` folded procedures of about 100 lines each; `unfolded` gets
// the module as it was before the folds.
std::vector<VbString> FoldedModule(std::int64_t procedures, std::vector<VbString>& unfolded) {
  std::vector<VbString> top{u"Option Explicit"};
  std::vector<VbString> moved;
  unfolded = top;
  for (std::int64_t i = 0; i < procedures; ++i) {
    const VbString comment = kv::U("' Procedure " + std::to_string(i));
    top.insert(top.end(), {u"", comment, VbString(kv::kFoldMarker) + Header(i)});
    moved.push_back(u"");
    std::vector<VbString> block{Header(i)};
    for (int k = 0; k < kBodyLines; ++k) block.push_back(kv::U("    total = total + " + std::to_string(k) + " ' step"));
    block.push_back(i % 2 ? u"End Function" : u"End Sub");
    moved.insert(moved.end(), block.begin(), block.end());
    unfolded.insert(unfolded.end(), {u"", comment});
    unfolded.insert(unfolded.end(), block.begin(), block.end());
  }
  top.insert(top.end(), moved.begin(), moved.end());
  return top;
}

using Ide = kv::bench::BenchIde;

void BM_UnfoldAllCommand(benchmark::State& state) {
  std::vector<VbString> unfolded;
  const std::vector<VbString> folded = FoldedModule(state.range(0), unfolded);
  Ide ide;
  for (auto _ : state) {
    state.PauseTiming();
    ide.component->Code().LoadLines(folded);
    state.ResumeTiming();
    if (!kv::s_RunCommand(ide.g, kv::cmd::kUnfoldAll)) state.SkipWithError("the command failed");
  }
  if (ide.component->Code().AllLines() != unfolded) state.SkipWithError("unfold-all did not restore the module");
  state.counters["lines"] = static_cast<double>(folded.size());
}
BENCHMARK(BM_UnfoldAllCommand)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_UnfoldAllText(benchmark::State& state) {
  std::vector<VbString> unfolded;
  const VbString text = kv::JoinCrLf(FoldedModule(state.range(0), unfolded));
  for (auto _ : state) benchmark::DoNotOptimize(kv::f_UnfoldAllText(text));
  if (kv::f_UnfoldAllText(text) != kv::JoinCrLf(unfolded)) state.SkipWithError("unfold-all did not restore the text");
}
BENCHMARK(BM_UnfoldAllText)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

// One fold in the middle of a module of 1,000 procedures.
void BM_FoldCommand(benchmark::State& state) {
  std::vector<VbString> unfolded;
  FoldedModule(state.range(0), unfolded);
  Ide ide;
  const auto middle = static_cast<std::int32_t>(unfolded.size() / 2);
  for (auto _ : state) {
    state.PauseTiming();
    ide.component->Code().LoadLines(unfolded);
    ide.vbe.ActivePane()->Select({middle, 1, middle, 1});
    state.ResumeTiming();
    if (!kv::s_RunCommand(ide.g, kv::cmd::kFold)) state.SkipWithError("the command failed");
  }
}
BENCHMARK(BM_FoldCommand)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
