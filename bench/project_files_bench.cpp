// The file layer over a generated VB6 project: reading (size and NUL checks,
// code page, lossless decoding, line ends, hidden parts) and writing back
// (hidden parts placed, encoding, line ends), in windows-1252 and GBK.
// Reports lines and bytes per second.
//
// The same program writes the project for the whole-process benchmark
// (bench/project_bench.sh):
//
//   project_files_bench --generate DIR LINES [gbk]
//   project_files_bench --generate-real DIR FILES
//
// writes DIR/Project.vbp and its modules (standard modules, classes with
// attributes under their members, forms with their Begin...End blocks), of
// realistic messy code: nested If/Select/For/With/Do, continued statements,
// #If blocks, labels, end-of-line comments, strings with quotes and colons,
// indentation of blanks and tabs in any mix. --generate-real writes a code
// base shaped like real ones instead: FILES files (1,500 give about 1,000,000
// lines), most of them forms and classes of 100 to 800 lines with hidden
// headers and Attribute lines, in three folders, and a few 20,000-line modules.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "files/CodePage.h"
#include "files/ModuleFile.h"

namespace {

namespace fs = std::filesystem;

class Random {
 public:
  std::uint32_t Next(std::uint32_t n) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state_ >> 33) % n;
  }

 private:
  std::uint64_t state_ = 42;
};

// Writes modules of about `lines` lines in all.
class Generator {
 public:
  explicit Generator(bool gbk) : gbk_(gbk) {}

  std::string Indent() {
    static const char* kIndents[] = {"", "    ", "\t", "  ", "        ", "\t    ", "   ", "\t\t"};
    return kIndents[r_.Next(8)];
  }
  std::string Comment() {
    if (gbk_ && r_.Next(2)) return "' \xBC\xC6\xCB\xE3\xBA\xCF\xBC\xC6\xA3\xAC\xB2\xA2\xB1\xA3\xB4\xE6";  // GBK text
    static const char* kComments[] = {"' keep the running total", "' the caller checks for Nothing",
                                      "' see the note above: \"quotes\" stay", "' TODO: handle the empty case"};
    return kComments[r_.Next(4)];
  }
  std::string Text() {
    if (gbk_ && r_.Next(3) == 0) return "\"\xC7\xEB\xCA\xE4\xC8\xEB\xA3\xBA\"";
    static const char* kTexts[] = {"\"Total: \"", "\"He said \"\"yes\"\"\"", "\"a:b\"", "\"it's done\""};
    return kTexts[r_.Next(4)];
  }

  void Procedure(std::string& out, int n, std::size_t& lines, bool withAttribute, const std::string& name) {
    bool function = r_.Next(2);
    std::string head = std::string(r_.Next(2) ? "Public " : "Private ") + (function ? "Function " : "Sub ") + name +
                       "(ByVal Count As Long, _\r\n" + Indent() + "ByRef Items() As String)" +
                       (function ? " As Long" : "") + "\r\n";
    out += head;
    lines += 2;
    if (withAttribute) {
      out += "Attribute " + name + ".VB_Description = \"Computes " + name + "\"\r\n";
      ++lines;
    }
    out += Indent() + "Dim i As Long, Total As Long " + Comment() + "\r\n";
    out += Indent() + "On Error GoTo Failed\r\n";
    lines += 2;
    for (int block = 0; block < n; ++block) {
      switch (r_.Next(6)) {
        case 0:
          out += Indent() + "For i = 1 To Count\r\n" + Indent() + "If Items(i) = " + Text() + " Then\r\n" + Indent() +
                 "Total = Total + i " + Comment() + "\r\n" + Indent() + "ElseIf i > 10 Then\r\n" + Indent() +
                 "Exit For\r\n" + Indent() + "End If\r\n" + Indent() + "Next i\r\n";
          lines += 7;
          break;
        case 1:
          out += Indent() + "Select Case Count\r\n" + Indent() + "Case 0\r\n" + Indent() + "Total = 0: i = 1\r\n" +
                 Indent() + "Case 1 To 9\r\n" + Indent() + "Total = Count * 2\r\n" + Indent() + "Case Else\r\n" +
                 Indent() + "Debug.Print " + Text() + "; Count\r\n" + Indent() + "End Select\r\n";
          lines += 8;
          break;
        case 2:
          out += Indent() + "With Items\r\n" + Indent() + "Do While Total < Count\r\n" + Indent() +
                 "Total = Total + _\r\n" + Indent() + "    UBound(Items)\r\n" + Indent() + "Loop\r\n" + Indent() +
                 "End With\r\n";
          lines += 6;
          break;
        case 3:
          out += "#If DEBUG_BUILD Then\r\n" + Indent() + "Debug.Print " + Text() + "\r\n#Else\r\n" + Indent() +
                 "Total = Total - 1\r\n#End If\r\n";
          lines += 5;
          break;
        case 4:
          out += Indent() + "If Total > 100 Then Total = 100 " + Comment() + "\r\n" + Indent() + Comment() + "\r\n\r\n";
          lines += 3;
          break;
        default:
          out += Indent() + "MsgBox " + Text() + " & Total, vbOKOnly, _\r\n" + Indent() + Text() + "\r\n";
          lines += 2;
          break;
      }
    }
    out += Indent() + "Exit " + (function ? "Function" : "Sub") + "\r\nFailed:\r\n" + Indent() + "Total = -1\r\n" +
           (function ? "End Function" : "End Sub") + "\r\n\r\n";
    lines += 5;
  }

  // One module of about `target` lines; returns its line count.
  std::size_t Module(std::string& out, int kind, const std::string& name, std::size_t target) {
    std::size_t lines = 0;
    if (kind == 1) {
      out += "VERSION 1.0 CLASS\r\nBEGIN\r\n  MultiUse = -1  'True\r\n  Persistable = 0  'NotPersistable\r\nEND\r\n";
      lines += 5;
    } else if (kind == 2) {
      out += "VERSION 5.00\r\nBegin VB.Form " + name + " \r\n   Caption         =   \"" + name +
             "\"\r\n   ClientHeight    =   3195\r\n   Begin VB.CommandButton cmdOK \r\n      Caption         =   \"OK\"\r\n"
             "      BeginProperty Font \r\n         Name            =   \"Tahoma\"\r\n      EndProperty\r\n   End\r\nEnd\r\n";
      lines += 11;
    }
    out += "Attribute VB_Name = \"" + name + "\"\r\n";
    ++lines;
    if (kind != 0) {
      out += "Attribute VB_GlobalNameSpace = False\r\nAttribute VB_Creatable = False\r\n";
      lines += 2;
    }
    out += "Option Explicit\r\n" + Comment() + "\r\n";
    lines += 2;
    if (kind == 1) {
      out += "Private WithEvents m_Timer As Timer\r\nAttribute m_Timer.VB_VarHelpID = -1\r\n"
             "Public Event Changed(ByVal Total As Long)\r\n";
      lines += 3;
    }
    out += "Private Declare Function GetTickCount Lib \"kernel32\" () As Long\r\nPrivate m_Total As Long\r\n\r\n";
    lines += 3;
    int p = 0;
    while (lines < target) {
      Procedure(out, 3 + static_cast<int>(r_.Next(6)), lines, kind == 1 && p % 4 == 0, "Proc" + std::to_string(p));
      ++p;
    }
    return lines;
  }

  // A form's hidden header: its controls' Begin...End blocks.
  std::string FormHeader(const std::string& name, std::size_t& lines) {
    std::string out = "VERSION 5.00\r\nObject = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"\r\n"
                      "Begin VB.Form " + name + " \r\n   Caption         =   \"" + name +
                      "\"\r\n   ClientHeight    =   3195\r\n   ClientWidth     =   4680\r\n";
    lines += 6;
    for (int c = 0, n = 2 + static_cast<int>(r_.Next(12)); c < n; ++c) {
      out += "   Begin VB.TextBox txtField" + std::to_string(c) + " \r\n      Height          =   285\r\n"
             "      Left            =   1200\r\n      TabIndex        =   " + std::to_string(c) +
             "\r\n      Text            =   \"\"\r\n      Top             =   " + std::to_string(120 + 360 * c) +
             "\r\n      BeginProperty Font \r\n         Name            =   \"Tahoma\"\r\n      EndProperty\r\n"
             "   End\r\n";
      lines += 10;
    }
    out += "End\r\n";
    return out;
  }

  // A code base shaped like real ones: about `files` files in Forms, Classes
  // and Modules; most are forms and classes of 100 to 800 lines, a few
  // modules hold 20,000 lines. Writes DIR/Project.vbp; returns the lines.
  std::size_t RealProject(const fs::path& dir, int files) {
    for (const char* sub : {"Forms", "Classes", "Modules"}) fs::create_directories(dir / sub);
    std::string vbp = "Type=Exe\r\nReference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#stdole2.tlb#OLE\r\n";
    std::size_t lines = 0;
    for (int i = 0; i < files; ++i) {
      int kind = i % 10 < 4 ? 2 : i % 10 < 7 ? 1 : 0;  // forms, classes, standard modules
      bool huge = i % 250 == 125;
      std::size_t target = huge ? 20000 : kind == 0 ? 200 + r_.Next(1400) : 100 + r_.Next(700);
      if (huge) kind = 0;
      std::string name = (kind == 0 ? "mod" : kind == 1 ? "cls" : "frm") + std::string("Part") + std::to_string(i);
      std::string folder = kind == 0 ? "Modules" : kind == 1 ? "Classes" : "Forms";
      std::string file = name + (kind == 0 ? ".bas" : kind == 1 ? ".cls" : ".frm");
      std::string text;
      std::size_t n = 0;
      if (kind == 2) {
        text = FormHeader(name, n);
        std::string body;
        n += Module(body, 3, name, target > n ? target - n : 1);
        text += body;
      } else {
        n = Module(text, kind, name, target);
      }
      lines += n;
      std::ofstream(dir / folder / file, std::ios::binary) << text;
      vbp += (kind == 0 ? "Module=" + name + "; " : kind == 1 ? "Class=" + name + "; " : "Form=") + folder + "\\" +
             file + "\r\n";
    }
    vbp += "Name=\"RealShaped\"\r\n";
    std::ofstream(dir / "Project.vbp", std::ios::binary) << vbp;
    return lines;
  }

  // Writes the project; returns the number of lines written.
  std::size_t Project(const fs::path& dir, std::size_t total) {
    fs::create_directories(dir / "Src");
    std::string vbp = "Type=Exe\r\n";
    std::size_t lines = 0;
    for (int i = 0; lines < total; ++i) {
      int kind = i % 10 < 6 ? 0 : i % 10 < 9 ? 1 : 2;
      std::string name = (kind == 0 ? "modPart" : kind == 1 ? "clsPart" : "frmPart") + std::to_string(i);
      std::string file = name + (kind == 0 ? ".bas" : kind == 1 ? ".cls" : ".frm");
      std::string text;
      lines += Module(text, kind, name, std::min<std::size_t>(2000, total - lines + 20));
      std::ofstream(dir / "Src" / file, std::ios::binary) << text;
      vbp += (kind == 0 ? "Module=" + name + "; " : kind == 1 ? "Class=" + name + "; " : "Form=") + "Src\\" + file + "\r\n";
    }
    vbp += "Name=\"Generated\"\r\n";
    std::ofstream(dir / "Project.vbp", std::ios::binary) << vbp;
    return lines;
  }

 private:
  bool gbk_;
  Random r_;
};

std::string ModuleText(bool gbk, std::size_t lines) {
  Generator gen(gbk);
  std::string text;
  gen.Module(text, 1, "clsBench", lines);
  return text;
}

void BM_ReadAndWrite(benchmark::State& state, bool gbk) {
  std::string bytes = ModuleText(gbk, 200000);
  auto ansi = kv::files::CodePage::Open(gbk ? "gbk" : "windows-1252");
  auto utf8 = kv::files::CodePage::Open("utf-8");
  std::size_t lines = 0;
  for (auto _ : state) {
    auto m = kv::files::DecodeModuleFile(bytes, kv::vbide::ComponentType::ClassModule, *ansi, *utf8);
    std::string back = kv::files::EncodeModuleFile(m.file, m.code);
    if (back != bytes) state.SkipWithError("the round trip changed the bytes");
    lines = m.code.size();
    benchmark::DoNotOptimize(back);
  }
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsIterationInvariantRate);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK_CAPTURE(BM_ReadAndWrite, windows1252, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadAndWrite, gbk, true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "--generate") == 0) {
    bool gbk = argc >= 5 && std::strcmp(argv[4], "gbk") == 0;
    std::size_t lines = Generator(gbk).Project(argv[2], std::stoul(argv[3]));
    std::cout << lines << "\n";
    return 0;
  }
  if (argc >= 4 && std::strcmp(argv[1], "--generate-real") == 0) {
    std::cout << Generator(false).RealProject(argv[2], std::stoi(argv[3])) << "\n";
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
