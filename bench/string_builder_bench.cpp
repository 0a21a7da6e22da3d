// Appends per second: the add-in's string builder against plain appends to a
// std::u16string, on the pieces a module rebuild appends (a line, then CR LF).
// Run each family on its own (--benchmark_filter): the allocator adapts its
// thresholds to the first family's large blocks, which flatters the second.
#include <benchmark/benchmark.h>

#include "support/clsStringBuilder.h"

namespace {

const kv::VbString kLine = u"        If Not rs.EOF Then total = total + rs!Amount ' running sum";

void BM_StringBuilderAppend(benchmark::State& state) {
  for (auto _ : state) {
    kv::clsStringBuilder sb;
    sb.Initialize(1023);
    for (int i = 0; i < state.range(0); ++i) {
      sb.Append(kLine);
      sb.Append(kv::kCrLf);
    }
    benchmark::DoNotOptimize(sb.ToString());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_StringBuilderAppend)->Arg(1000)->Arg(100000);

void BM_U16StringAppend(benchmark::State& state) {
  for (auto _ : state) {
    kv::VbString s;
    for (int i = 0; i < state.range(0); ++i) {
      s.append(kLine);
      s.append(kv::kCrLf);
    }
    benchmark::DoNotOptimize(s);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_U16StringAppend)->Arg(1000)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
