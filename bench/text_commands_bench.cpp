// Characters per second of the whole-module text commands (3, 4, 20, 21, 22)
// on a generated module of procedures, comments, string literals and blank
// lines: the whole command through the dispatcher on the in-memory IDE, and
// the text transformation alone. Two sizes show that the cost is linear.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchIde.h"
#include "organize/TextCommands.h"
#include "organize/modOrganize.h"

namespace {

using kv::VbString;

// A module of `lines` lines in the shape of real code.
std::vector<VbString> GenerateModule(std::int64_t lines) {
  static const char* const kBody[] = {
      "    Dim total As Long, name As String",
      "    total = total + rs!Amount ' running sum",
      "",
      "    If total ＞ 100 Then MsgBox \"合计超过（100），请检查\"",
      "    name = \"Private \"\"Public\"\" text\" & CStr(total)",
      "  ",
      "    ' 注释：这里是说明（Private）",
      "    Call Helper(total， name)",
  };
  std::vector<VbString> out;
  out.reserve(static_cast<std::size_t>(lines));
  out.push_back(u"Option Explicit");
  out.push_back(u"Private mCount As Long");
  std::int64_t proc = 0;
  while (static_cast<std::int64_t>(out.size()) < lines) {
    out.push_back(u"");
    out.push_back(kv::U("' Procedure " + std::to_string(proc)));
    out.push_back(kv::U((proc % 2 ? "Public Function F" : "Private Sub S") + std::to_string(proc) + "()"));
    for (int i = 0; i < 40 && static_cast<std::int64_t>(out.size()) < lines - 1; ++i) {
      out.push_back(kv::U(kBody[i % 8]));
    }
    out.push_back(proc % 2 ? u"End Function" : u"End Sub");
    ++proc;
  }
  out.resize(static_cast<std::size_t>(lines));
  out.back() = u"' end";
  return out;
}

std::int64_t CountChars(const std::vector<VbString>& lines) {
  std::int64_t n = 0;
  for (const VbString& line : lines) n += static_cast<std::int64_t>(line.size()) + 2;
  return n - 2;
}

using Ide = kv::bench::BenchIde;

void BM_Command(benchmark::State& state, std::int16_t n) {
  const std::vector<VbString> module = GenerateModule(state.range(0));
  Ide ide;
  for (auto _ : state) {
    state.PauseTiming();
    ide.component->Code().LoadLines(module);
    state.ResumeTiming();
    if (!kv::s_RunCommand(ide.g, n)) state.SkipWithError("the command failed");
  }
  state.counters["chars/s"] = benchmark::Counter(static_cast<double>(CountChars(module)),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}

template <class Transform>
void BM_Text(benchmark::State& state, Transform transform) {
  const std::vector<VbString> module = GenerateModule(state.range(0));
  const VbString text = kv::JoinCrLf(module);
  for (auto _ : state) benchmark::DoNotOptimize(transform(text));
  state.counters["chars/s"] = benchmark::Counter(static_cast<double>(text.size()),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}

constexpr std::int64_t kSmall = 50'000;
constexpr std::int64_t kLarge = 200'000;

BENCHMARK_CAPTURE(BM_Command, 3_delete_blank_lines, kv::cmd::kDeleteBlankLines)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Command, 4_merge_blank_lines, kv::cmd::kMergeBlankLines)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Command, 20_punctuation, kv::cmd::kChineseToEnglish)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Command, 21_private_to_public, kv::cmd::kPrivateToPublic)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Command, 22_public_to_private, kv::cmd::kPublicToPrivate)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_Text, 3_delete_blank_lines, [](const VbString& t) { return kv::f_DeleteBlankLines(t); })
    ->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Text, 4_merge_blank_lines, [](const VbString& t) { return kv::f_MergeBlankLines(t); })
    ->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Text, 20_punctuation, [](const VbString& t) { return kv::f_ChineseSymbolsToEnglish(t); })
    ->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Text, 21_private_to_public,
                  [](const VbString& t) { return kv::f_ReplaceScopeWord(t, u"Private", u"Public"); })
    ->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Text, 22_public_to_private,
                  [](const VbString& t) { return kv::f_ReplaceScopeWord(t, u"Public", u"Private"); })
    ->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
