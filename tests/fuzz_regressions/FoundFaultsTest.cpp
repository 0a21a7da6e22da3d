// The faults fuzzing found, each as a readable case beside its kept input
// under fuzz/regressions/: the behaviour that was wrong and is right now.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "Invariants.h"
#include "files/HiddenParts.h"
#include "files/ModuleFile.h"
#include "indent/modIndentRoutine.h"
#include "organize/Folding.h"

namespace kv::fuzz {
namespace {

std::vector<VbString> Lines(std::initializer_list<const char*> lines) {
  std::vector<VbString> out;
  for (const char* line : lines) out.push_back(U(line));
  return out;
}

// A line whose text ends in a CR keeps it when a file of mostly LF line ends
// is written again with fewer lines.
TEST(FoundFaults, LineEndingInCrSurvivesRewriting) {
  auto ansi = files::CodePage::Open("windows-1252");
  auto utf8 = files::CodePage::Open("utf-8");
  struct Case {
    std::string bytes;
    std::size_t drop;  // the code line a command removes
    std::vector<VbString> code;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"x\r\r\ny\nz\n", 1, Lines({"x\r", "z"})}, {"a\nb\r\r\r\nc\nd\n", 0, Lines({"b\r\r", "c", "d"})},
           {"a\nb\nc\r\r\n", 0, Lines({"b", "c\r"})},
       }) {
    files::DecodedModule m = files::DecodeModuleFile(c.bytes, vbide::ComponentType::StdModule, *ansi, *utf8);
    m.code.erase(m.code.begin() + static_cast<std::ptrdiff_t>(c.drop));
    ASSERT_EQ(m.code, c.code);
    const std::string written = files::EncodeModuleFile(m.file, m.code);
    EXPECT_EQ(files::DecodeModuleFile(written, vbide::ComponentType::StdModule, *ansi, *utf8).code, c.code)
        << Show(U(written));
  }
}

// Fold changes nothing when another header of the same text would be found
// by unfold instead of the folded one.
TEST(FoundFaults, FoldNeedsAHeaderOfItsOwn) {
  struct Case {
    const char* module;  // lines joined with "|"
    std::int32_t first, last;
    bool folds;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"Private Sub C()|End Sub|Private Sub C()", 1, 2, false},
           {"Private Sub C()|End Sub|Private Sub C()|End Sub", 3, 4, false},
           {"Private Sub C()|End Sub|  Private Sub C()  |End Sub", 1, 2, false},
           {"Private Sub C()|End Sub|' Private Sub C()", 1, 2, true},   // a comment is no header
           {"Private Sub C()|End Sub|Private Sub C2()|End Sub", 1, 2, true},
           {"Private Sub C()|End Sub|Public Sub C()|End Sub", 1, 2, true},  // another text
       }) {
    const VbString text = ReplaceAll(U(c.module), u"|", kCrLf);
    EXPECT_EQ(f_FoldText(text, c.first, c.last).has_value(), c.folds) << c.module;
  }
}

// An Attribute line under a statement that declares nothing finds its line
// again after indentation changed the blanks inside it.
TEST(FoundFaults, AttributeFollowsItsLineThroughIndentation) {
  const std::vector<VbString> file = Lines(
      {"Sub A()", "x = 1   ' note", "Attribute x.VB_MemberFlags = \"40\"", "Retry:   y = 2", "Attribute y.VB_X = 1", "End Sub"});
  const std::vector<VbStringView> views(file.begin(), file.end());
  const files::SplitModule split = files::SplitHiddenParts(views);
  ASSERT_EQ(split.code.size(), 4u);
  const std::vector<VbString> indented = Lines({"Sub A()", "    x = 1                                         ' note",
                                                "Retry: y = 2", "End Sub"});
  const std::vector<VbStringView> code(indented.begin(), indented.end());
  const std::vector<VbStringView> back = files::AssembleModule(split.hidden, code);
  ASSERT_EQ(back.size(), 6u);
  EXPECT_EQ(back[2], file[2]);
  EXPECT_EQ(back[4], file[4]);
  // A line whose words changed is a different line.
  const std::vector<VbString> changed = Lines({"Sub A()", "x = 2 ' note", "Retry: y = 2", "End Sub"});
  const std::vector<VbStringView> other(changed.begin(), changed.end());
  EXPECT_THROW(files::AssembleModule(split.hidden, other), files::HiddenPartsError);
}

// "Rem" with an apostrophe right after it is a comment where a statement
// begins, at the first run as at the next.
TEST(FoundFaults, RemBeforeAnApostropheIsAComment) {
  struct Case {
    const char* line;
    const char* indented;  // in the default options, at level 0
  };
  for (const Case& c : std::initializer_list<Case>{
           {"  Rem'note", "Rem'note"},
           {"x = 1:   Rem'note", "x = 1:                                                Rem'note"},
           {"x = Rem'note", "x = Rem                                               'note"},  // no statement begins there
       }) {
    const std::filesystem::path settings = SettingsFileForInput();
    WriteSettingsFile(settings, {});
    Ide ide(settings);
    model::ModelCodePane& pane = ide.Open({U(c.line)}, {1, 1, 1, 1});
    s_IndentLines(ide.g, pane.Module(), u"Module1", 1, 1, 0);
    EXPECT_EQ(VbToUtf8(ide.Lines().at(0)), c.indented) << c.line;
    s_IndentLines(ide.g, pane.Module(), u"Module1", 1, 1, 0);
    EXPECT_EQ(VbToUtf8(ide.Lines().at(0)), c.indented) << "again: " << c.line;
  }
}

}  // namespace
}  // namespace kv::fuzz
