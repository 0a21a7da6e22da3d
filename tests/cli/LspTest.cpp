// The language server as a client drives it: framed messages in, framed
// answers out. The tables give a request and the answer expected; the
// formatting tests apply the server's edits and compare the text with what
// `kestrova indent` writes for the same file.
#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "CliFixture.h"
#include "cli/LspServer.h"
#include "cli/LspText.h"
#include "files/CodePage.h"

namespace kv::testing {
namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;
using cli::lsp::LineEdits;

std::string Frame(const std::string& body) { return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body; }

const std::string kInitialize = Frame(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})");

// Runs the server on the input: its messages, in order, and its exit code.
std::pair<std::vector<json>, int> Messages(const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  int code = cli::lsp::LspServer(out).Serve(in);
  std::vector<json> messages;
  std::string all = out.str();
  for (std::size_t at = all.find("\r\n\r\n"); at != std::string::npos; at = all.find("\r\n\r\n", at)) {
    std::size_t size = std::stoul(all.substr(all.rfind(':', at) + 1, at));
    messages.push_back(json::parse(all.substr(at + 4, size)));
    at += 4 + size;
  }
  return {messages, code};
}

// The answers as compact JSON, one per line, without the answer to
// initialize, and the exit code last.
std::string Serve(const std::string& input) {
  auto [messages, code] = Messages(input);
  std::string shown;
  for (const json& m : messages)
    if (m.value("id", json()) != 0) shown += m.dump() + "\n";
  return shown + "exit " + std::to_string(code);
}

TEST(LspProtocol, FramingAndErrorsAnswerAndTheServerGoesOn) {
  const std::string shutdown = Frame(R"({"jsonrpc":"2.0","id":9,"method":"shutdown"})");
  const std::string exit = Frame(R"({"jsonrpc":"2.0","method":"exit"})");
  const std::string bye = R"({"id":9,"jsonrpc":"2.0","result":null})" "\n" "exit 0";
  auto error = [](int code) {
    return R"({"error":{"code":)" + std::to_string(code) + "," + R"("message":)";
  };
  struct Case {
    std::string input;
    std::string expected;  // the start of the first answer, then the closing answers
  } cases[] = {
      {kInitialize + shutdown + exit, bye},
      {kInitialize + "Content-Length: x\r\n\r\n" + shutdown + exit,
       error(-32700) + R"("invalid Content-Length 'x'"},"id":null,"jsonrpc":"2.0"})" "\n" + bye},
      {kInitialize + "X-Other: 1\r\n\r\n" + shutdown + exit,
       error(-32700) + R"("a header without Content-Length"},"id":null,"jsonrpc":"2.0"})" "\n" + bye},
      // Too short: the rest of the body runs into the next header line.
      {kInitialize + "Content-Length: 5\r\n\r\n{\"a\":1}" + shutdown + exit,
       error(-32700) + R"("the message is not valid JSON"},"id":null,"jsonrpc":"2.0"})" "\n" + bye},
      {kInitialize + Frame("[1]") + shutdown + exit,
       error(-32600) + R"("a message must be a JSON object"},"id":null,"jsonrpc":"2.0"})" "\n" + bye},
      {kInitialize + Frame(R"({"jsonrpc":"2.0","id":3,"method":"no/such"})") + shutdown + exit,
       error(-32601) + R"("unknown method no/such"},"id":3,"jsonrpc":"2.0"})" "\n" + bye},
      {kInitialize + Frame(R"({"jsonrpc":"2.0","method":"no/such"})") + shutdown + exit, bye},
      {kInitialize +
           Frame(R"({"jsonrpc":"2.0","id":4,"method":"textDocument/formatting","params":{"textDocument":{"uri":"file:///n.bas"}}})") +
           shutdown + exit,
       error(-32602) + R"("the document is not open: file:///n.bas"},"id":4,"jsonrpc":"2.0"})" "\n" + bye},
      {Frame(R"({"jsonrpc":"2.0","id":5,"method":"shutdown"})") + kInitialize + shutdown + exit,
       error(-32002) + R"("the server is not initialized"},"id":5,"jsonrpc":"2.0"})" "\n" + bye},
      {kInitialize + shutdown + Frame(R"({"jsonrpc":"2.0","id":6,"method":"shutdown"})") + exit,
       R"({"id":9,"jsonrpc":"2.0","result":null})" "\n" + error(-32600) +
           R"("the server is shut down"},"id":6,"jsonrpc":"2.0"})" "\n" "exit 0"},
      {kInitialize + exit, "exit 1"},                // exit without shutdown
      {kInitialize + "Content-Length: 99\r\n\r\n{", "exit 1"},  // the client went away
  };
  for (const Case& c : cases) EXPECT_EQ(Serve(c.input), c.expected) << c.input;
}

std::string Shown(const std::vector<cli::lsp::TextEdit>& edits) {
  std::string s;
  for (const auto& e : edits) {
    s += fmt::format("{}:{}-{}:{} '{}' ", e.startLine, e.startCharacter, e.endLine, e.endCharacter, e.newText);
  }
  return s;
}

TEST(LspEdits, OnlyTheLinesThatChangeAndTheirLineEndsKept) {
  struct Case {
    std::string before, after, edits;
  } cases[] = {
      {"a\r\nb\r\nc", "a\r\nb\r\nc", ""},
      {"a\r\nb\r\nc", "a\r\n  b\r\nc", "1:0-1:1 '  b' "},
      {"a\nb\nc\n", "  a\nb\n  c\n", "0:0-0:1 '  a' 2:0-2:1 '  c' "},
      {"\xE4\xB8\xAD\xF0\x9F\x98\x80x\n", "  \xE4\xB8\xAD\xF0\x9F\x98\x80x\n", "0:0-0:4 '  \xE4\xB8\xAD\xF0\x9F\x98\x80x' "},
      {"a\r\nb", "a\r\nb\r\n", "1:0-1:1 'b\r\n' "},                    // a final line end added
      {"a\nb\n\n\n", " a\nb\n", "0:0-0:1 ' a' 2:0-4:0 '' "},          // trailing blank lines dropped
      {"a\n\nb\n\nc\n", "a\nb\nc\n", "1:0-1:0 'b' 2:0-4:0 '' "},  // paired in order, surplus removed
      {"a\nc\n", "a\nb\nc\n", "1:0-1:0 'b\n' "},
      {"", "a\r\n", "0:0-0:0 'a\r\n' "},
  };
  for (const Case& c : cases) EXPECT_EQ(Shown(LineEdits(c.before, c.after)), c.edits) << c.before;
}

// The text after applying the edits. Edits within one line replace the whole
// line's text (any characters); others are placed by offsets (ASCII text).
std::string Apply(std::string text, const json& edits) {
  auto offset = [&](const json& at) {
    std::size_t pos = 0;
    for (int line = at["line"]; line > 0; --line) pos = text.find('\n', pos) + 1;
    return pos + at["character"].get<std::size_t>();
  };
  std::vector<json> list(edits.begin(), edits.end());
  std::reverse(list.begin(), list.end());
  for (const json& e : list) {
    std::size_t from = offset(e["range"]["start"]), to = offset(e["range"]["end"]);
    if (e["range"]["start"]["line"] == e["range"]["end"]["line"]) to = text.find_first_of("\r\n", from);
    text.replace(from, to - from, e["newText"].get<std::string>());
  }
  return text;
}

std::string FromGbk(const std::string& bytes) {
  VbString text;
  files::CodePage::Open("gbk")->Decode(bytes, text);
  return VbToUtf8(text);
}

class LspRoad : public CliTest {
 protected:
  // The file's URI: file:///home/... or file:///C:/Users/...
  static std::string Uri(const fs::path& file) {
    std::string path = file.generic_string();
    return std::string(path.starts_with('/') ? "file://" : "file:///") + path;
  }
  // Opens the file in a server and sends the requests; the answers by id.
  // The editor's text is the file's, or `text` when given.
  std::map<int, json> Ask(const fs::path& file, const std::vector<json>& requests, const std::string* text = nullptr) {
    std::string uri = Uri(file);
    json open = {{"jsonrpc", "2.0"}, {"method", "textDocument/didOpen"},
                 {"params", {{"textDocument", {{"uri", uri}, {"languageId", "vb"}, {"version", 1},
                                               {"text", text ? *text : TempRead(file)}}}}}};
    std::string input = kInitialize + Frame(open.dump());
    for (json r : requests) {
      r["jsonrpc"] = "2.0";
      r["params"]["textDocument"] = {{"uri", uri}};
      input += Frame(r.dump());
    }
    std::map<int, json> answers;
    for (const json& m : Messages(input).first) answers[m["id"].is_number() ? m["id"].get<int>() : -1] = m;
    return answers;
  }
  static json Request(int id, const std::string& method, json params) {
    return {{"id", id}, {"method", method}, {"params", std::move(params)}};
  }
  static json Formatting(int id, int tabSize = 4) {
    return Request(id, "textDocument/formatting", {{"options", {{"tabSize", tabSize}, {"insertSpaces", true}}}});
  }
};

TEST_F(LspRoad, FormattingEqualsKestrovaIndentOnEveryExample) {
  fs::copy(fs::path(KV_SOURCE_DIR) / "examples", P("examples"), fs::copy_options::recursive);
  for (std::string f : {"inventory/frmMain.frm", "inventory/clsStockItem.cls", "inventory/modMain.bas",
                        "inventory/Reports/modReports.bas", "cangku/frmRuku.frm", "cangku/modCangku.bas"}) {
    f = "examples/" + f;
    bool gbk = f.find("cangku") != std::string::npos;  // the editor shows it decoded, as UTF-8 text
    std::string before = gbk ? FromGbk(Read(f)) : Read(f);
    json edits = Ask(P(f), {Formatting(1)}, &before)[1]["result"];
    ASSERT_EQ(Run({"indent", f}).code, 0);
    EXPECT_EQ(Apply(before, edits), gbk ? FromGbk(Read(f)) : Read(f)) << f;
    EXPECT_LT(edits.size(), std::count(before.begin(), before.end(), '\n')) << f;  // never the whole file
  }
}

TEST_F(LspRoad, RangesNewLinesTabSizeTeamOptionsAndSourceActions) {
  Write("m.bas", "Sub A()\r\nIf x Then\r\ny = 1\r\n\r\nEnd If\r\nEnd Sub\r\n");
  auto range = [](int first, int last) {
    return json{{"start", {{"line", first}, {"character", 0}}}, {"end", {{"line", last}, {"character", 0}}}};
  };
  auto a = Ask(P("m.bas"), {Request(1, "textDocument/rangeFormatting", {{"range", range(2, 3)}}),
                            Request(2, "textDocument/onTypeFormatting",
                                    {{"position", {{"line", 3}, {"character", 0}}}, {"ch", "\n"}, {"options", {{"tabSize", 2}}}}),
                            Formatting(3, 3),
                            Request(4, "textDocument/codeAction", {{"context", {{"only", {"source.kestrova.merge-blank-lines"}}}}}),
                            Request(5, "workspace/executeCommand", {{"command", "kestrova.delete-blank-lines"}}),
                            Request(6, "workspace/executeCommand",
                                    {{"command", "kestrova.delete-blank-lines"}, {"arguments", {Uri(P("m.bas"))}}})});
  EXPECT_EQ(a[1]["result"].dump(), R"([{"newText":"        y = 1","range":{"end":{"character":5,"line":2},"start":{"character":0,"line":2}}}])");
  EXPECT_EQ(a[2]["result"].dump(), R"([{"newText":"    ","range":{"end":{"character":0,"line":3},"start":{"character":0,"line":3}}}])");
  EXPECT_EQ(a[3]["result"][1]["newText"], "      y = 1");  // the editor's tab size: no file names IndentSpaces
  EXPECT_EQ(a[4]["result"].size(), 1u);
  EXPECT_EQ(a[4]["result"][0]["command"]["command"], "kestrova.merge-blank-lines");
  EXPECT_EQ(a[5]["error"]["code"], -32602);  // no document named
  EXPECT_EQ(a[6]["result"], nullptr);
  EXPECT_EQ(a[-1]["method"], "workspace/applyEdit");  // the server's own request to the client
  EXPECT_EQ(Apply(TempRead(P("m.bas")), a[-1]["params"]["edit"]["changes"].begin().value()),
            "Sub A()\r\nIf x Then\r\ny = 1\r\nEnd If\r\nEnd Sub\r\n");

  Write(".kestrova.ini", "[Kestrovaer]\r\nIndentSpaces=1\r\n");
  EXPECT_EQ(Ask(P("m.bas"), {Formatting(1, 8)})[1]["result"][1]["newText"], "  y = 1");
}

}  // namespace
}  // namespace kv::testing
