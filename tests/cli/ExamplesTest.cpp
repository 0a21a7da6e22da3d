// The example projects through the command, as the README runs them: a diff
// that changes nothing on disk, then indenting for real, after which a second
// run has nothing left to do and every hidden line and every GBK byte outside
// the indentation is where it was.
#include "CliFixture.h"

namespace kv::testing {
namespace {

namespace fs = std::filesystem;

// The lines of a file that are not code: header and Attribute lines.
std::vector<std::string> HiddenLines(const std::string& bytes) {
  std::vector<std::string> hidden;
  std::istringstream in(bytes);
  bool header = true;
  for (std::string line; std::getline(in, line);) {
    bool attribute = line.rfind("Attribute ", 0) == 0;
    if (header && (attribute || line.rfind("VERSION", 0) == 0 || line.rfind("Begin", 0) == 0 || line.rfind(" ", 0) == 0 ||
                   line.rfind("End\r", 0) == 0 || line.rfind("BEGIN", 0) == 0 || line.rfind("END", 0) == 0)) {
      hidden.push_back(line);
    } else {
      header = false;
      if (attribute) hidden.push_back(line);
    }
  }
  return hidden;
}

TEST_F(CliTest, TheExamplesIndentOnceAndKeepEveryHiddenLine) {
  fs::copy(fs::path(KV_SOURCE_DIR) / "examples", P("examples"), fs::copy_options::recursive);
  const std::vector<std::string> files = {"examples/inventory/frmMain.frm", "examples/inventory/clsStockItem.cls",
                                          "examples/inventory/modMain.bas", "examples/inventory/Reports/modReports.bas",
                                          "examples/cangku/frmRuku.frm", "examples/cangku/modCangku.bas"};
  std::vector<std::string> before;
  for (const auto& f : files) before.push_back(Read(f));

  const std::vector<std::string> projects = {"examples/inventory/Inventory.vbp", "examples/cangku/Cangku.vbp"};
  std::vector<std::string> args = {"indent", "--diff"};
  args.insert(args.end(), projects.begin(), projects.end());
  CliResult diff = Run(args);
  EXPECT_EQ(diff.code, 1) << diff.err;
  EXPECT_EQ(Run(args).out, diff.out);  // running it twice shows the same
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(Read(files[i]), before[i]) << files[i];
    EXPECT_NE(diff.out.find("+++ b/" + files[i] + "\n"), std::string::npos) << files[i];
  }

  args[1] = "--quiet";
  EXPECT_EQ(Run(args).code, 0);
  args[1] = "--check";
  CliResult again = Run(args);
  EXPECT_EQ(again.code, 0) << again.out;
  for (std::size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(HiddenLines(Read(files[i])), HiddenLines(before[i])) << files[i];
  }
  // GBK text survives byte for byte: the string and comment of this line.
  EXPECT_NE(Read("examples/cangku/modCangku.bas").find("    MsgBox \"\xC8\xEB\xBF\xE2\xCA\xFD\xC1\xBF"), std::string::npos);
  EXPECT_EQ(Read("examples/cangku/Cangku.vbp"), test::ReadBytes(fs::path(KV_SOURCE_DIR) / "examples/cangku/Cangku.vbp"));
}

}  // namespace
}  // namespace kv::testing
