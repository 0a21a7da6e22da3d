// The in-memory IDE's code module under the load the add-in puts on it: a
// 200,000-line module read line by line with Lines(L, 1) and written back
// with ReplaceLine (the indentation routine's pattern), whole-text
// replacement by DeleteLines + AddFromString, and the procedure index rebuilt
// after an edit. Reports lines per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "BenchIde.h"

namespace {

using kv::VbString;

constexpr std::int32_t kLines = 200000;

// Procedures of ten lines: a head, indented statements, a label, an End.
std::vector<VbString> MakeModule() {
  std::vector<VbString> lines;
  lines.reserve(kLines);
  lines.push_back(u"Option Explicit");
  for (int p = 0; static_cast<std::int32_t>(lines.size()) < kLines; ++p) {
    lines.push_back(u"Private Function F" + kv::ToVb(p) + u"(ByVal a As Long) As Long");
    lines.push_back(u"        Dim total As Long ' running total");
    lines.push_back(u"    If a > 0 Then");
    lines.push_back(u"total = total + a: a = a - 1");
    lines.push_back(u"Retry:");
    lines.push_back(u"\t\tDebug.Print \"value: \"; total");
    lines.push_back(u"    End If");
    lines.push_back(u"    F" + kv::ToVb(p) + u" = total");
    lines.push_back(u"End Function");
    lines.push_back(u"");
  }
  lines.resize(kLines);
  return lines;
}

// The shared benchmark IDE with its module loaded as from a file.
struct Ide : kv::bench::BenchIde {
  Ide() : module(&component->Code()) { module->LoadLines(MakeModule()); }
  kv::model::ModelCodeModule* module;
};

void BM_ReadAndReplaceEveryLine(benchmark::State& state) {
  Ide ide;
  kv::vbide::CodeModule& module = *ide.module;
  for (auto _ : state) {
    const std::int32_t count = module.CountOfLines();
    for (std::int32_t line = 1; line <= count; ++line) {
      VbString text = module.Lines(line, 1);
      // Re-indent by one blank, as a routine that changes every line would.
      text.insert(text.begin(), u' ');
      module.ReplaceLine(line, text);
    }
    benchmark::DoNotOptimize(module.CountOfLines());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ReadAndReplaceEveryLine)->Unit(benchmark::kMillisecond);

void BM_ReplaceWholeText(benchmark::State& state) {
  Ide ide;
  kv::vbide::CodeModule& module = *ide.module;
  const VbString text = module.Lines(1, kLines);
  for (auto _ : state) {
    module.DeleteLines(1, module.CountOfLines());
    module.AddFromString(text);
    benchmark::DoNotOptimize(module.CountOfLines());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ReplaceWholeText)->Unit(benchmark::kMillisecond);

void BM_ProcedureIndexAfterAnEdit(benchmark::State& state) {
  Ide ide;
  kv::vbide::CodeModule& module = *ide.module;
  for (auto _ : state) {
    module.ReplaceLine(2, u"Private Function F0(ByVal a As Long) As Long");
    kv::vbide::ProcKind kind = kv::vbide::ProcKind::Proc;
    benchmark::DoNotOptimize(module.ProcOfLine(kLines - 1, kind));
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ProcedureIndexAfterAnEdit)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
