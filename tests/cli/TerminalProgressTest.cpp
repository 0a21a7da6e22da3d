// The progress bar on a terminal: one line redrawn in place, its last frame
// never skipped, wiped when the window is unloaded.
#include "cli/TerminalProgress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace kv::cli {
namespace {

std::string Drawn(std::FILE* f) {
  std::fflush(f);
  std::rewind(f);
  std::string s;
  for (int c; (c = std::fgetc(f)) != EOF;) s.push_back(static_cast<char>(c));
  return s;
}

TEST(TerminalProgress, DrawsOneLineInPlaceAndWipesIt) {
  std::FILE* f = std::tmpfile();
  TerminalProgress renderer(f);
  frmProgress window(&renderer);
  window.SetMin(0);
  window.SetMax(200);
  window.Show();
  window.SetMessageText(u"Rebuilding 'modMain'");
  for (int i = 0; i <= 200; ++i) window.SetProgress(i);
  std::string s = Drawn(f);
  EXPECT_EQ(s.rfind("\r[", 0), 0u);
  EXPECT_NE(s.find("] 0% "), std::string::npos);
  EXPECT_NE(s.find("##] 100% Rebuilding 'modMain'\033[K"), std::string::npos) << "the last frame is drawn";
  EXPECT_LT(s.size(), 20u * 100u) << "frames closer than a terminal shows are skipped";
  window.Unload();
  EXPECT_EQ(Drawn(f).substr(s.size()), "\r\033[K");
  std::fclose(f);
}

}  // namespace
}  // namespace kv::cli
