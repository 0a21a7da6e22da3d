// kestrova on projects and folders: members found as Windows wrote them,
// missing ones skipped, companions untouched, the active module, team
// options and code pages, and Attribute lines that follow a folded
// procedure.
#include <nlohmann/json.hpp>

#include "CliFixture.h"

namespace kv::testing {
namespace {

constexpr std::string_view kVbp =
    "Type=Exe\r\n"
    "Form=Forms\\frmMain.frm\r\n"
    "Module=modMain; Src\\modMain.bas\r\n"
    "Class=clsItem; SRC\\ClsItem.CLS\r\n"
    "Module=modGone; Src\\modGone.bas\r\n"
    "RelatedDoc=readme.txt\r\n"
    "Name=\"Shop\"\r\n";

constexpr std::string_view kForm =
    "VERSION 5.00\r\nBegin VB.Form frmMain\r\n   Caption = \"Shop\"\r\nEnd\r\nAttribute VB_Name = \"frmMain\"\r\n"
    "Private Sub Form_Load()\r\nCaption = \"x\"\r\nEnd Sub\r\n";
constexpr std::string_view kModule = "Attribute VB_Name = \"modMain\"\r\nSub Main()\r\nfrmMain.Show\r\nEnd Sub\r\n";
constexpr std::string_view kClass =
    "VERSION 1.0 CLASS\r\nBEGIN\r\n  MultiUse = -1  'True\r\nEND\r\nAttribute VB_Name = \"clsItem\"\r\n"
    "Private m_Price As Currency\r\n"
    "Public Property Get Price() As Currency\r\nAttribute Price.VB_UserMemId = 0\r\nPrice = m_Price\r\nEnd Property\r\n"
    "Public Property Let Price(ByVal Value As Currency)\r\nm_Price = Value\r\nEnd Property\r\n"
    "Public Function Total(ByVal Count As Long, _\r\n  ByVal Tax As Currency) As Currency\r\n"
    "Attribute Total.VB_Description = \"Price times count\"\r\nTotal = m_Price * Count + Tax\r\nEnd Function\r\n"
    "Private Sub Class_Initialize()\r\nm_Price = 1\r\nEnd Sub\r\n";

class ProjectTest : public CliTest {
 protected:
  void SetUp() override {
    Write("shop/Shop.vbp", kVbp);
    Write("shop/Forms/frmMain.frm", kForm);
    Write("shop/Forms/frmMain.frx", std::string("\x01\x00\xFF", 3));
    Write("shop/src/modMain.bas", kModule);
    Write("shop/src/clsItem.cls", kClass);
    Write("shop/readme.txt", "not code\r\n");
  }
};

TEST_F(ProjectTest, IndentProjectFindsMembersAsWindowsNamedThemAndSkipsMissingOnes) {
  CliResult r = Run({"indent", "shop/Shop.vbp", "--report", "r.json"});
  EXPECT_EQ(r.code, 2);  // the missing member is unusable input
  EXPECT_EQ(r.err, "kestrova: shop/Src\\modGone.bas: named on line 5 of shop/Shop.vbp does not exist; skipped\n");
  EXPECT_NE(Read("shop/Forms/frmMain.frm").find("Private Sub Form_Load()\r\n    Caption = \"x\"\r\n"), std::string::npos);
  EXPECT_EQ(Read("shop/src/modMain.bas"), "Attribute VB_Name = \"modMain\"\r\nSub Main()\r\n    frmMain.Show\r\nEnd Sub\r\n");
  EXPECT_NE(Read("shop/src/clsItem.cls").find("Public Property Get Price() As Currency\r\nAttribute Price.VB_UserMemId = 0\r\n    Price = m_Price\r\n"),
            std::string::npos);
  EXPECT_EQ(Read("shop/Forms/frmMain.frx"), std::string("\x01\x00\xFF", 3));
  EXPECT_EQ(Read("shop/Shop.vbp"), kVbp);
  EXPECT_EQ(Read("shop/readme.txt"), "not code\r\n");
  auto j = nlohmann::json::parse(Read("r.json"));
  EXPECT_EQ(j["files"].size(), 3u);
  EXPECT_EQ(j["changed"], true);
}

TEST_F(ProjectTest, ModuleChoosesTheActiveCodePane) {
  // Indent Procedure runs on the active pane only.
  CliResult r = Run({"run", "indent-procedure", "shop/Shop.vbp", "--module", "clsItem", "--caret", "6:1"});
  EXPECT_EQ(Read("shop/src/modMain.bas"), kModule);
  EXPECT_EQ(Read("shop/Forms/frmMain.frm"), kForm);
  EXPECT_NE(Read("shop/src/clsItem.cls").find("\r\n    m_Price = Value\r\n"), std::string::npos) << r.err;
  EXPECT_EQ(Run({"run", "14", "shop/Shop.vbp", "--module", "shop/src/modMain.bas", "--caret", "2:1"}).code, 2);
  EXPECT_EQ(Read("shop/src/modMain.bas"), "Attribute VB_Name = \"modMain\"\r\nSub Main()\r\n    frmMain.Show\r\nEnd Sub\r\n");
  EXPECT_EQ(Run({"run", "14", "shop/Shop.vbp", "--module", "nope"}).code, 2);
}

TEST_F(ProjectTest, AFolderGivesEveryModuleFileBelowIt) {
  Write("shop/.git/x.bas", "Sub A()\r\nx\r\nEnd Sub\r\n");
  CliResult r = Run({"indent", "--check", "shop"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "shop/Forms/frmMain.frm\nshop/src/clsItem.cls\nshop/src/modMain.bas\n");
}

TEST_F(ProjectTest, TeamOptionsBesideTheCodeWinOverTheUsersAndSettingsWinsOverBoth) {
  Write("user-settings.ini", "[Kestrovaer]\nIndentSpaces=8\n");
  Write("shop/.kestrova.ini", "[Kestrovaer]\nIndentSpaces=2\n");
  Write("other/m.bas", "Sub A()\r\nx = 1\r\nEnd Sub\r\n");
  Write("mine.ini", "[Kestrovaer]\nIndentSpaces=3\n");
  Run({"indent", "shop/src/modMain.bas", "other/m.bas"});
  EXPECT_EQ(Read("shop/src/modMain.bas"), "Attribute VB_Name = \"modMain\"\r\nSub Main()\r\n  frmMain.Show\r\nEnd Sub\r\n");
  EXPECT_EQ(Read("other/m.bas"), "Sub A()\r\n        x = 1\r\nEnd Sub\r\n");
  Run({"indent", "shop/src/modMain.bas", "--settings", "mine.ini"});
  EXPECT_EQ(Read("shop/src/modMain.bas"), "Attribute VB_Name = \"modMain\"\r\nSub Main()\r\n   frmMain.Show\r\nEnd Sub\r\n");
}

TEST_F(CliTest, TheTeamFileNamesTheCodePage) {
  // GBK: a full-width comma (A3 AC) in code becomes ASCII; in windows-1252
  // the same bytes are two Latin letters and stay.
  std::string gbk = "Sub A()\r\nx = Array(1\xA3\xAC 2) ' \xD6\xD0\xCE\xC4\r\nEnd Sub\r\n";
  Write("cn/m.bas", gbk);
  Write("cn/.kestrova.ini", "[Kestrovaer]\nCodePage=gbk\n");
  Write("west/m.bas", gbk);
  EXPECT_EQ(Run({"run", "ascii-punctuation", "cn/m.bas", "west/m.bas"}).code, 0);
  EXPECT_EQ(Read("cn/m.bas"), "Sub A()\r\nx = Array(1, 2) ' \xD6\xD0\xCE\xC4\r\nEnd Sub\r\n");
  EXPECT_EQ(Read("west/m.bas"), gbk);
  Write("gbk.ini", "[Kestrovaer]\nCodePage=cp936\n");  // --settings names it too
  EXPECT_EQ(Run({"run", "20", "west/m.bas", "--settings", "gbk.ini"}).code, 0);
  EXPECT_EQ(Read("west/m.bas"), Read("cn/m.bas"));
  Write("west/m.bas", gbk);
  EXPECT_EQ(Run({"run", "20", "cn/m.bas", "west/m.bas", "--encoding", "windows-1252"}).code, 0);  // --encoding wins
  EXPECT_EQ(Read("west/m.bas"), gbk);
  Write("cn/.kestrova.ini", "[Kestrovaer]\nCodePage=ebcdic-martian\n");
  CliResult r = Run({"indent", "cn/m.bas"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("unknown code page 'ebcdic-martian'"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace kv::testing
