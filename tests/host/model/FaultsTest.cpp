// Refusals on demand: skip, times, the error raised, and names that exist.
#include <gtest/gtest.h>

#include "Harness.h"

namespace kv::model {
namespace {

TEST(Faults, SkipThenRefuseThenWorkAgain) {
  test::Harness h;
  ModelCodeModule& m = h.AddModuleLines({u"a", u"b", u"c", u"d"}).Code();
  h.vbe.Faults().Refuse("CodeModule.ReplaceLine", {.skip = 2, .times = 1});
  std::vector<bool> done;
  for (std::int32_t line = 1; line <= 4; ++line) done.push_back(ResumeNext([&] { m.ReplaceLine(line, u"x"); }));
  EXPECT_EQ(done, (std::vector<bool>{true, true, false, true}));
  EXPECT_EQ(m.AllLines(), (std::vector<VbString>{u"x", u"x", u"c", u"x"}));
  EXPECT_EQ(h.vbe.Faults().Refusals("CodeModule.ReplaceLine"), 1);
}

TEST(Faults, RefusesForEverByDefaultWithTheIdesMessage) {
  test::Harness h;
  h.vbe.Faults().Refuse("VBE.Version");
  for (int i = 0; i < 3; ++i) {
    try {
      (void)h.vbe.Version();
      ADD_FAILURE() << "Version did not refuse";
    } catch (const VbError& e) {
      EXPECT_EQ(e.Number(), vberr::kMethodFailed);
      EXPECT_EQ(e.Description(), u"Method 'Version' of object 'VBE' failed");
    }
  }
  h.vbe.Faults().Clear("VBE.Version");
  EXPECT_EQ(h.vbe.Version(), u"6.00");
}

}  // namespace
}  // namespace kv::model
