// Loading VB6 files into the in-memory IDE: each file kind becomes a
// component of its kind showing only its code, and renders back to its very
// bytes until a command changes it.
#include "files/ModelLoader.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "files/SafeFile.h"
#include "platform/HeadlessPlatform.h"

namespace kv::files {
namespace {

using test::TempFolder;
using vbide::ComponentType;

class ModelLoaderTest : public ::testing::Test {
 protected:
  TempFolder dir;
  platform::HeadlessPlatform platform{{.windowsDirectory = dir.Path()}};
  model::ModelVBE vbe{platform};
  std::unique_ptr<CodePage> page = CodePage::Open("windows-1252");
  ModelLoader loader{vbe, *page, false};
};

TEST_F(ModelLoaderTest, EachFileKindBecomesItsComponentShowingOnlyItsCode) {
  const std::string header = "VERSION 5.00\r\nBegin VB.UserControl X\r\n   ClientHeight = 1\r\nEnd\r\n";
  struct Case {
    std::string file, bytes;
    ComponentType type;
    VbStringView name;
  } cases[] = {
      {"a.bas", "Attribute VB_Name = \"modA\"\r\nSub A()\r\nEnd Sub\r\n", ComponentType::StdModule, u"modA"},
      {"b.CLS", "VERSION 1.0 CLASS\r\nBEGIN\r\n  MultiUse = -1\r\nEND\r\nAttribute VB_Name = \"clsB\"\r\nSub A()\r\nEnd Sub\r\n", ComponentType::ClassModule, u"clsB"},
      {"c.frm", "VERSION 5.00\r\nBegin VB.Form frmC\r\nEnd\r\nAttribute VB_Name = \"frmC\"\r\nSub A()\r\nEnd Sub\r\n", ComponentType::VBForm, u"frmC"},
      {"m.frm", "VERSION 5.00\r\nBegin VB.MDIForm mdiM\r\nEnd\r\nAttribute VB_Name = \"mdiM\"\r\nSub A()\r\nEnd Sub\r\n", ComponentType::VBMDIForm, u"mdiM"},
      {"d.ctl", header + "Attribute VB_Name = \"ctlD\"\r\nSub A()\r\nEnd Sub\r\n", ComponentType::UserControl, u"ctlD"},
      {"e.pag", header + "Attribute VB_Name = \"ppE\"\r\nSub A()\r\nEnd Sub\r\n", ComponentType::PropPage, u"ppE"},
      {"f.Dob", header + "Attribute VB_Name = \"docF\"\r\nSub A()\r\nEnd Sub\r\n", ComponentType::DocObject, u"docF"},
      {"g.dsr", header + "Attribute VB_Name = \"dsG\"\r\nSub A()\r\nEnd Sub\r\n", ComponentType::ActiveXDesigner, u"dsG"},
      {"nameless.bas", "Sub A()\r\nEnd Sub", ComponentType::StdModule, u"nameless"},
  };
  model::ModelProject& project = vbe.AddProject(u"P");
  for (const Case& c : cases) {
    LoadedModule& m = loader.AddModuleFile(project, dir.Write(c.file, c.bytes), c.file);
    EXPECT_EQ(m.component->Type(), c.type) << c.file;
    EXPECT_EQ(m.component->Name(), c.name) << c.file;
    EXPECT_EQ(m.component->Code().AllLines(), (std::vector<VbString>{u"Sub A()", u"End Sub"})) << c.file;
    EXPECT_FALSE(loader.Render(m)) << c.file;
    m.component->Code().ReplaceLine(1, u"Sub A() ' changed");
    auto bytes = loader.Render(m);
    ASSERT_TRUE(bytes) << c.file;
    std::string expected = c.bytes;
    expected.replace(expected.find("Sub A()"), 7, "Sub A() ' changed");
    EXPECT_EQ(*bytes, expected) << c.file;
  }
}

TEST_F(ModelLoaderTest, AProjectLoadsItsMembersInOrderAndNeverOpensCompanions) {
  dir.Write("P.vbp", "Module=modA; Code\\A.bas\r\nRelatedDoc=notes.txt\r\nResFile32=\"App.RES\"\r\nModule=modGone; gone.bas\r\n"
                     "Class=clsB; code\\b.cls\r\nModule=modDir; Code\r\nName=\"Shop\"\r\n");
  dir.Write("Code/a.bas", "Attribute VB_Name = \"modA\"\r\nSub A()\r\nEnd Sub\r\n");
  dir.Write("Code/B.CLS", "Attribute VB_Name = \"clsB\"\r\n");
  std::vector<std::string> problems;
  model::ModelProject& p = loader.AddProject(dir.Path() / "P.vbp", "P.vbp", [&](const std::string& file, const std::string& why) {
    problems.push_back(file + ": " + why);
  });
  EXPECT_EQ(p.Name(), u"Shop");
  std::vector<VbString> names;
  for (auto* c : p.VBComponents()) names.push_back(c->Name());
  EXPECT_EQ(names, (std::vector<VbString>{u"modA", u"notes", u"App", u"clsB"}));
  EXPECT_EQ(p.VBComponents()[1]->Type(), ComponentType::RelatedDocument);
  EXPECT_EQ(p.VBComponents()[2]->Type(), ComponentType::ResFile);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0], "gone.bas: named on line 4 of P.vbp does not exist; skipped");
  EXPECT_EQ(problems[1], "Code: named on line 6 of P.vbp is not a file; skipped");
}

TEST_F(ModelLoaderTest, AProjectFileThatCannotBeDecodedNamesItsCodePageAndByteOffset) {
  // The caller puts the project's name before the message.
  dir.Write("P.vbp", "\xEF\xBB\xBFName=\"\xFF\"\r\n");
  try {
    loader.AddProject(dir.Path() / "P.vbp", "P.vbp", [](const std::string&, const std::string&) {});
    ADD_FAILURE();
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "cannot be read losslessly in utf-8: byte offset 9: not UTF-8");
  }
}

TEST_F(ModelLoaderTest, AnUnreadableMemberStopsTheProjectWithItsName) {
  dir.Write("P.vbp", "Module=modA; a.bas\r\n");
  dir.Write("a.bas", std::string("Sub A()\0", 8));
  try {
    loader.AddProject(dir.Path() / "P.vbp", "P.vbp", [](const std::string&, const std::string&) {});
    ADD_FAILURE();
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("a.bas: holds a NUL byte at byte offset 7"), std::string::npos) << e.what();
  }
}

TEST_F(ModelLoaderTest, ProjectMembersAreFoundInAnyLetterCaseAndFolder) {
  dir.Write("app/App.vbp", "Type=Exe\r\nModule=modUtil; ..\\Shared\\MODUTIL.BAS\r\n");
  dir.Write("shared/modUtil.bas", "Attribute VB_Name = \"modUtil\"\r\nSub U()\r\nEnd Sub\r\n");
  std::string problems;
  loader.AddProject(dir / "app" / "App.vbp", "App.vbp", [&](const std::string& f, const std::string& m) { problems += f + m; });
  EXPECT_EQ(problems, "");
  ASSERT_EQ(loader.Modules().size(), 1u);
  EXPECT_TRUE(std::filesystem::equivalent(loader.Modules()[0]->path, dir / "shared" / "modUtil.bas"));
}

}  // namespace
}  // namespace kv::files
