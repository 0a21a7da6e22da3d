// The indentation routine over a large module of realistic VB6 code, through
// the object-model interface on the in-memory IDE: every line read with
// Lines(L, 1) and written back with ReplaceLine. Reports lines per second.
//
// The module is generated: procedures of nested If/Select/For/With/Do blocks,
// statements continued over lines, whole-line and end-of-line comments,
// strings holding quotes, colons and apostrophes, ": " separators, labels,
// #If blocks, and indentation of blanks and tabs in any mix.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BenchIde.h"
#include "indent/StatementClassifier.h"
#include "indent/modIndentRoutine.h"
#include "support/frmProgress.h"

namespace {

using kv::VbString;

constexpr std::int32_t kModuleLines = 200000;

// A small deterministic generator, so every run measures the same module.
class Random {
 public:
  std::uint32_t Next(std::uint32_t n) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state_ >> 33) % n;
  }

 private:
  std::uint64_t state_ = 42;
};

class ModuleWriter {
 public:
  std::vector<VbString> Build(std::int32_t lines) {
    Line("Option Explicit");
    Line("Private Const APP_NAME As String = \"Ledger: \"\"main\"\"\"");
    Line("Private Type Entry");
    Line("    Amount As Currency");
    Line("\tNext As Long ' a member named like a keyword");
    Line("End Type");
    for (int p = 0; static_cast<std::int32_t>(out_.size()) < lines; ++p) Procedure(p);
    out_.resize(static_cast<std::size_t>(lines));
    return std::move(out_);
  }

 private:
  void Line(const std::string& text) { out_.push_back(kv::U(Messy() + text)); }

  // Old indentation as real files carry it: none, blanks, tabs or a mix.
  std::string Messy() {
    switch (random_.Next(6)) {
      case 0: return "";
      case 1: return "    ";
      case 2: return "\t";
      case 3: return "  \t  ";
      case 4: return "        ";
      default: return std::string(random_.Next(13), ' ');
    }
  }

  void Procedure(int p) {
    std::string name = "Proc" + std::to_string(p);
    if (p % 7 == 0) {
      Line("#If VBA7 Then");
      Line("Private Function " + name + "(ByVal h As LongPtr, ByRef total As Double) As Boolean");
      Line("#Else");
      Line("Private Function " + name + "(ByVal h As Long, ByRef total As Double) As Boolean");
      Line("#End If");
    } else {
      Line("Public Sub " + name + "(ByVal count As Long, _");
      Line("ByRef items() As String)");
    }
    Line("' Walks the items and totals them.");
    Line("Dim i As Long, j As Long: Dim s As String");
    Line("On Error GoTo Failed");
    Body(0);
    Line("Exit " + std::string(p % 7 == 0 ? "Function" : "Sub"));
    Line("Failed:");
    Line("MsgBox \"Error: \" & Err.Description, vbOKOnly, APP_NAME ' report it");
    Line(p % 7 == 0 ? "End Function" : "End Sub");
    Line("");
  }

  void Body(int depth) {
    int statements = 3 + static_cast<int>(random_.Next(5));
    for (int k = 0; k < statements; ++k) {
      switch (depth < 4 ? random_.Next(12) : 8 + random_.Next(4)) {
        case 0:
          Line("If items(i) = \"a: b\" Then");
          Body(depth + 1);
          Line("ElseIf i > 10 And _");
          Line("j < 5 Then");
          Body(depth + 1);
          Line("Else");
          Line("s = s & \"it's done\": j = j + 1");
          Line("End If");
          break;
        case 1:
          Line("Select Case items(i)");
          Line("Case \"x\", \"y\": total = total + 1");
          Body(depth + 1);
          Line("Case Else ' anything else");
          Body(depth + 1);
          Line("End Select");
          break;
        case 2:
          Line("For i = LBound(items) To UBound(items)");
          Body(depth + 1);
          Line("Next i");
          break;
        case 3:
          Line("With Me.Controls(\"txt\" & CStr(i))");
          Line(".Text = \"He said \"\"hi: there\"\"\"");
          Body(depth + 1);
          Line("End With");
          break;
        case 4:
          Line("Do While j < count");
          Body(depth + 1);
          Line("j = j + 1");
          Line("Loop");
          break;
        case 5:
          Line("If i = 0 Then Exit Sub");
          break;
        case 6:
          Line("Retry:");
          Line("s = Replace(s, \"'\", \"''\") ' double the quotes");
          break;
        case 7:
          Line("total = total + CalcAmount(items(i), _");
          Line("j, _");
          Line("\"rate: 1.5\")");
          break;
        case 8:
          Line("' " + std::string(20 + random_.Next(40), '-'));
          break;
        case 9:
          Line("Debug.Print \"Item \" & i & \": \" & items(i)");
          break;
        case 10:
          Line("s = s & vbCrLf: total = total * 1.05 ' compound");
          break;
        default:
          Line("Call LogLine(\"step\", i, j)");
          break;
      }
    }
  }

  Random random_;
  std::vector<VbString> out_;
};

// A model IDE holding the generated module, and the add-in's state around it.
struct Ide : kv::bench::BenchIde {
  Ide() {
    source = ModuleWriter().Build(kModuleLines);
    component->Code().LoadLines(source);
    kv::s_ShowProgress(g, 0, kModuleLines - 1);
  }
  std::vector<VbString> source;
};

// Each iteration indents a messy module as loaded from its file: all of them
// are loaded before the timing starts, so the heap is the one a freshly
// loaded project leaves, not one churned by reloading a module in between.
constexpr int kFreshModules = 8;

void BM_IndentLines(benchmark::State& state) {
  Ide ide;
  std::vector<kv::model::ModelComponent*> modules;
  for (int i = 0; i < kFreshModules; ++i) {
    modules.push_back(&ide.vbe.Projects().front()->AddModule(u"Fresh" + kv::ToVb(i), u""));
    modules.back()->Code().LoadLines(ide.source);
  }
  std::size_t next = 0;
  for (auto _ : state) {
    kv::s_IndentLines(ide.g, modules[next++]->CodeModule(), u"Module1", 1, kModuleLines, 0);
  }
  state.SetItemsProcessed(state.iterations() * kModuleLines);
}
BENCHMARK(BM_IndentLines)->Unit(benchmark::kMillisecond)->Iterations(kFreshModules);

// A module the routine has indented already: every line is written back
// unchanged.
void BM_IndentLinesAgain(benchmark::State& state) {
  Ide ide;
  kv::vbide::CodeModule& module = ide.component->CodeModule();
  kv::s_IndentLines(ide.g, module, u"Module1", 1, kModuleLines, 0);
  for (auto _ : state) kv::s_IndentLines(ide.g, module, u"Module1", 1, kModuleLines, 0);
  state.SetItemsProcessed(state.iterations() * kModuleLines);
}
BENCHMARK(BM_IndentLinesAgain)->Unit(benchmark::kMillisecond);

// The floor the object model sets: each line of a freshly loaded messy
// module read and its indented text written back, with no work in between.
void BM_ReadAndReplaceOnly(benchmark::State& state) {
  Ide ide;
  kv::vbide::CodeModule& first = ide.component->CodeModule();
  kv::s_IndentLines(ide.g, first, u"Module1", 1, kModuleLines, 0);
  std::vector<VbString> indented = ide.component->Code().AllLines().Strings();
  std::vector<kv::model::ModelComponent*> modules;
  for (int i = 0; i < kFreshModules; ++i) {
    modules.push_back(&ide.vbe.Projects().front()->AddModule(u"Fresh" + kv::ToVb(i), u""));
    modules.back()->Code().LoadLines(ide.source);
  }
  std::size_t next = 0;
  for (auto _ : state) {
    kv::vbide::CodeModule& module = modules[next++]->CodeModule();
    for (std::int32_t line = 1; line <= kModuleLines; ++line) {
      VbString text = module.Lines(line, 1);
      benchmark::DoNotOptimize(text.data());
      module.ReplaceLine(line, indented[static_cast<std::size_t>(line - 1)]);
    }
  }
  state.SetItemsProcessed(state.iterations() * kModuleLines);
}
BENCHMARK(BM_ReadAndReplaceOnly)->Unit(benchmark::kMillisecond)->Iterations(kFreshModules);

// The classifier alone, over the statements at the start of each line.
void BM_ClassifyStatement(benchmark::State& state) {
  std::vector<VbString> lines = ModuleWriter().Build(kModuleLines);
  for (VbString& line : lines) line = VbString(kv::TrimView(line));
  kv::KeywordTables tables(true, true);
  kv::IndentFlags flags;
  for (auto _ : state) {
    std::int32_t sum = 0;
    bool header = false;
    for (const VbString& line : lines) {
      std::int16_t opens = 0, closes = 0;
      kv::f_ClassifyStatement(tables, flags, line, opens, closes, header);
      sum += opens - closes;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kModuleLines);
}
BENCHMARK(BM_ClassifyStatement)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
