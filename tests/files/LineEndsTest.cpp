// Line ends: splitting, and each file's own ends written back.
#include "files/LineEnds.h"

#include <gtest/gtest.h>

namespace kv::files {
namespace {

// Splits and writes back with the same lines.
VbString RoundTrip(VbStringView text) {
  SplitText s = SplitLines(text);
  LineEndWriter w(s.ends, s.lines.size());
  VbString out;
  for (std::size_t i = 0; i < s.lines.size(); ++i) out.append(s.lines[i]).append(w.EndOf(i));
  return out;
}

TEST(LineEnds, SplitsAtLfWithItsCr) {
  struct Case {
    VbStringView text;
    std::size_t lines;
    bool crlf, final;
  } cases[] = {
      {u"", 0, true, true},          {u"A", 1, true, false},         {u"A\r\nB\r\n", 2, true, true},
      {u"A\r\nB", 2, true, false},   {u"A\nB\n", 2, false, true},    {u"\r\n", 1, true, true},
      {u"A\rB\n", 1, false, true},   {u"A\r\n\r\n", 2, true, true},  {u"A\nB\r\nC\n", 3, false, true},
  };
  for (const Case& c : cases) {
    SplitText s = SplitLines(c.text);
    EXPECT_EQ(s.lines.size(), c.lines) << VbToUtf8(c.text);
    EXPECT_EQ(s.ends.crlf, c.crlf) << VbToUtf8(c.text);
    EXPECT_EQ(s.ends.finalLineEnd, c.final) << VbToUtf8(c.text);
    EXPECT_EQ(RoundTrip(c.text), c.text);
  }
}

TEST(LineEnds, MixedFilesKeepEachEndWhileTheLineCountStays) {
  SplitText s = SplitLines(u"A\nB\r\nC\r\nD");
  EXPECT_TRUE(s.ends.crlf);
  ASSERT_EQ(s.ends.exceptions, std::vector<std::size_t>{0});
  LineEndWriter same(s.ends, 4);
  EXPECT_EQ(same.EndOf(0), u"\n");
  EXPECT_EQ(same.EndOf(1), u"\r\n");
  EXPECT_EQ(same.EndOf(3), u"");
  LineEndWriter grown(s.ends, 5);  // a command added a line: the usual kind
  EXPECT_EQ(grown.EndOf(0), u"\r\n");
  EXPECT_EQ(grown.EndOf(4), u"");
}

}  // namespace
}  // namespace kv::files
