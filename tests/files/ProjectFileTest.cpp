// Project files: members, names and paths as Windows wrote them.
#include "files/ProjectFile.h"

#include <gtest/gtest.h>

namespace kv::files {
namespace {

using vbide::ComponentType;

TEST(ProjectFile, ReadsEveryMemberKeyBeforeTheFirstSection) {
  ProjectFile p = ParseProjectFile(
      u"Type=Exe\r\nReference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#..\\stdole2.tlb#OLE Automation\r\n"
      u"Form=Forms\\frmMain.frm\r\nModule=modMain; Src\\modMain.bas\r\nClass=clsAccount; clsAccount.cls\r\n"
      u"UserControl=ctlGauge.ctl\r\nPropertyPage=ppGauge.pag\r\nUserDocument=docHome.dob\r\n"
      u"Designer=DataEnvironment1.Dsr\r\nRelatedDoc=..\\readme.txt\r\nResFile32=\"App.RES\"\r\nName=\"Ledger\"\r\n\r\n"
      u"[MS Transaction Server]\r\n"
      u"Module=NotAMember; nope.bas\r\n");
  EXPECT_EQ(p.name, u"Ledger");
  struct Expected {
    ComponentType type;
    VbStringView name, path;
  } expected[] = {
      {ComponentType::VBForm, u"", u"Forms\\frmMain.frm"}, {ComponentType::StdModule, u"modMain", u"Src\\modMain.bas"},
      {ComponentType::ClassModule, u"clsAccount", u"clsAccount.cls"},
      {ComponentType::UserControl, u"", u"ctlGauge.ctl"}, {ComponentType::PropPage, u"", u"ppGauge.pag"},
      {ComponentType::DocObject, u"", u"docHome.dob"}, {ComponentType::ActiveXDesigner, u"", u"DataEnvironment1.Dsr"},
      {ComponentType::RelatedDocument, u"", u"..\\readme.txt"}, {ComponentType::ResFile, u"", u"App.RES"},
  };
  ASSERT_EQ(p.members.size(), std::size(expected));
  for (std::size_t i = 0; i < p.members.size(); ++i) {
    EXPECT_EQ(p.members[i].type, expected[i].type) << i;
    EXPECT_EQ(p.members[i].name, expected[i].name) << i;
    EXPECT_EQ(p.members[i].path, expected[i].path) << i;
  }
  EXPECT_EQ(p.members[1].line, 4u);
}

TEST(ProjectFile, ToleratesOddSpacingAndEmptyValues) {
  ProjectFile p = ParseProjectFile(u"module = m ;  a.bas\nForm=\nName=NoQuotes");
  ASSERT_EQ(p.members.size(), 1u);
  EXPECT_EQ(p.members[0].name, u"m");
  EXPECT_EQ(p.members[0].path, u"a.bas");
  EXPECT_EQ(p.name, u"NoQuotes");
}

}  // namespace
}  // namespace kv::files
