// The dense line store against a vector of strings: random edits anywhere,
// growing and shrinking lines, lines given as views of the store itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "host/model/LineStore.h"

namespace kv::model {
namespace {

TEST(LineStore, EditsAnywhereMatchAVectorOfStrings) {
  std::mt19937 random(7);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  auto text = [&] { return VbString(pick(4) ? pick(12) : pick(300), static_cast<char16_t>(u'a' + pick(26))); };
  std::vector<VbString> expected{u"Sub A()", u"", u"End Sub"};
  LineStore store;
  store.Assign(expected);
  for (int step = 0; step < 4000; ++step) {
    const std::size_t n = expected.size(), at = pick(n + 1);
    switch (pick(n ? 6 : 2)) {
      case 0: {
        std::vector<VbString> added(pick(4) + 1);
        for (VbString& line : added) line = text();
        store.Insert(at, std::vector<VbStringView>(added.begin(), added.end()));
        expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
        break;
      }
      case 1:
        if (pick(50) == 0) expected.assign(pick(30), text()), store.Assign(expected);
        break;
      case 2: {  // a line of the store itself, inserted elsewhere
        std::size_t from = pick(n);
        store.Insert(at, {store[from]});
        expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), VbString(expected[from]));
        break;
      }
      case 3: {
        std::size_t last = std::min(n, at + pick(3) + 1), first = std::min(at, last - 1);
        store.Erase(first, last);
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(first),
                       expected.begin() + static_cast<std::ptrdiff_t>(last));
        break;
      }
      default: {  // replacements, mostly in a pass from the top, some of a line by another
        std::size_t i = pick(3) ? step % n : pick(n), from = pick(n);
        VbString line = pick(4) ? text() : expected[from];
        if (line == expected[from]) store.Replace(i, store[from]);
        else store.Replace(i, line);
        expected[i] = line;
      }
    }
    ASSERT_TRUE(store == expected) << "step " << step;
  }
  // Whole passes from the top, as the indenter makes them: lines longer,
  // then shorter, each written where the last one ended.
  for (std::size_t shift : {40, 0}) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
      expected[i] = VbString(shift + i % 7, u' ') + Trim(expected[i]);
      store.Replace(i, expected[i]);
    }
    ASSERT_TRUE(store == expected) << "a pass indenting by " << shift;
  }
  LineStore copy = store;
  EXPECT_TRUE(copy == expected);
  store.Clear();
  EXPECT_TRUE(store.empty() && copy.size() == expected.size());
}

}  // namespace
}  // namespace kv::model
