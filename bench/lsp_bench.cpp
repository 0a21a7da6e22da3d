// The time of one `textDocument/formatting` request of `kestrova lsp` on a
// module of 2,000 and 20,000 lines as an editor sends it: the document opened
// once, then Format Document asked again and again. A request runs Indent
// Module in a fresh headless session, computes the line edits and writes the
// answer, so the time is what a user waits for after the document is parsed.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/LspServer.h"

namespace {

using json = nlohmann::json;

// A module of about `lines` lines of unindented procedures.
std::string GenerateModule(std::int64_t lines) {
  static const char* const kProcedure[] = {
      "Private Sub Post{0}(ByVal amount As Currency)", "Dim total As Long ' running sum", "If amount > 0 Then",
      "For i = 1 To 10", "total = total + i * amount", "Next i", "Else", "Select Case amount",
      "Case -1", "MsgBox \"refund\"", "End Select", "End If", "End Sub", "",
  };
  std::string text = "Attribute VB_Name = \"Big\"\r\nOption Explicit\r\n";
  for (std::int64_t n = 2, p = 0; n < lines; ++p) {
    for (const char* line : kProcedure) {
      std::string l = line;
      if (auto at = l.find("{0}"); at != std::string::npos) l.replace(at, 3, std::to_string(p));
      text += l + "\r\n";
      ++n;
    }
  }
  return text;
}

void BM_Formatting(benchmark::State& state) {
  std::filesystem::path settings = std::filesystem::temp_directory_path() / "kv-lsp-bench-settings.ini";
  ::setenv("KESTROVA_SETTINGS", settings.c_str(), 1);
  std::ostringstream out;
  kv::cli::lsp::LspServer server(out);
  std::string uri = "file://" + (std::filesystem::temp_directory_path() / "Big.bas").string();
  server.Handle(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}}.dump());
  server.Handle(json{{"jsonrpc", "2.0"}, {"method", "textDocument/didOpen"},
                     {"params", {{"textDocument", {{"uri", uri}, {"languageId", "vb"}, {"version", 1},
                                                   {"text", GenerateModule(state.range(0))}}}}}}.dump());
  std::string request = json{{"jsonrpc", "2.0"}, {"id", 2}, {"method", "textDocument/formatting"},
                             {"params", {{"textDocument", {{"uri", uri}}}, {"options", {{"tabSize", 4}}}}}}.dump();
  server.Handle(request);  // the first request parses the document
  for (auto _ : state) {
    out.str({});
    server.Handle(request);
  }
  state.counters["answer_bytes"] = double(out.str().size());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Formatting)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
