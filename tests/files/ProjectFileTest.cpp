// Project files as hands edit them. (Every member key: the loader's tests.)
#include "files/ProjectFile.h"

#include <gtest/gtest.h>

namespace kv::files {
namespace {

TEST(ProjectFile, ToleratesOddSpacingAndEmptyValues) {
  ProjectFile p = ParseProjectFile(u"module = m ;  a.bas\nForm=\nName=NoQuotes");
  ASSERT_EQ(p.members.size(), 1u);
  EXPECT_EQ(p.members[0].name, u"m");
  EXPECT_EQ(p.members[0].path, u"a.bas");
  EXPECT_EQ(p.name, u"NoQuotes");
}

}  // namespace
}  // namespace kv::files
