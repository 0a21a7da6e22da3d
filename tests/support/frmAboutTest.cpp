// The about window opened by command 18 as the menu opens it, and the
// access keys of its captions. (Its texts: kestrova about.)
#include "support/frmAbout.h"

#include <gtest/gtest.h>

#include <string>

#include "Harness.h"

namespace kv {
namespace {

std::string Utf8(VbStringView text) { return VbToUtf8(text); }

class AboutWindow : public test::HarnessTest {
 protected:
  frmAbout& Open() {
    ShowAboutWindow(g);
    return *g.aboutWindow;
  }
};

TEST_F(AboutWindow, CommandEighteenShowsItThroughTheHost) {
  const frmAbout* shown = nullptr;
  g.windowHost.showAbout = [&](frmAbout& w) { shown = &w; };
  OpenModule(u"Sub A()\r\nEnd Sub");
  RunCommand(cmd::kAbout);
  EXPECT_EQ(shown, g.aboutWindow.get());
  EXPECT_TRUE(Messages().empty());
}

TEST(StripAccessKey, Table) {
  struct Case { const char16_t* caption; const char16_t* shown; std::size_t key; };
  const Case cases[] = {
      {u"&Save", u"Save", 0},      {u"Hot-&key", u"Hot-key", 4}, {u"A && B", u"A & B", VbString::npos},
      {u"Plain", u"Plain", VbString::npos}, {u"end&", u"end&", VbString::npos}, {u"缩进（&M）", u"缩进（M）", 3},
  };
  for (const Case& c : cases) {
    std::size_t key = 0;
    EXPECT_EQ(Utf8(StripAccessKey(c.caption, &key)), Utf8(c.shown)) << Utf8(c.caption);
    EXPECT_EQ(key, c.key) << Utf8(c.caption);
  }
}

}  // namespace
}  // namespace kv
