// The command number a control's Parameter carries, converted the way VB
// converts text to an Integer.
#include <gtest/gtest.h>

#include <optional>

#include "host/CBtnEvents.h"
#include "host/frmHotKey.h"
#include "host/modMenus.h"

namespace kv {
namespace {

// The error number a conversion raises, or 0 with the value.
struct Outcome { std::int32_t error = 0; std::int16_t value = 0; };

Outcome Convert(VbStringView parameter) {
  try {
    return {0, f_CommandOfParameter(parameter)};
  } catch (const VbError& e) {
    return {e.Number(), 0};
  }
}

TEST(Parameter, ConvertsLikeVb) {
  struct Case { VbStringView parameter; std::int32_t error; std::int16_t value; };
  const Case cases[] = {
      {u"s_OrganizeModule (15)", 0, 15}, {u"S_ORGANIZEMODULE (15)", 0, 15}, {u"s_OrganizeModule ( 31 )", 0, 31},
      {u"s_OrganizeModule (s_OrganizeModule (3))", 0, 3},  // every prefix goes
      {u"s_organizemodule (7)", 0, 7}, {u"s_OrganizeModule (-2)", 0, -2}, {u"s_OrganizeModule (+2)", 0, 2},
      {u"s_OrganizeModule (2.5)", 0, 2}, {u"s_OrganizeModule (3.5)", 0, 4}, {u"s_OrganizeModule (1e1)", 0, 10},
      {u"s_OrganizeModule (1D1)", 0, 10}, {u"s_OrganizeModule (&HF)", 0, 15}, {u"s_OrganizeModule (&O17)", 0, 15},
      {u"s_OrganizeModule (&HFFFF)", 0, -1},  // a 16-bit literal is an Integer
      {u"s_OrganizeModule (32767)", 0, 32767}, {u"s_OrganizeModule (-32768)", 0, -32768},
      {u"s_OrganizeModule (32768)", 6, 0}, {u"s_OrganizeModule (-32769)", 6, 0}, {u"s_OrganizeModule (&H10000)", 6, 0},
      {u"s_OrganizeModule (1e400)", 6, 0}, {u"s_OrganizeModule ()", 13, 0}, {u"s_OrganizeModule (  )", 13, 0},
      {u"s_OrganizeModule (x)", 13, 0}, {u"s_OrganizeModule (1 5)", 13, 0}, {u"s_OrganizeModule (.)", 13, 0},
      {u"s_OrganizeModule (1e)", 13, 0}, {u"s_OrganizeModule (&H)", 13, 0},
      {u"s_OrganizeModule (\t5)", 13, 0},  // a tab is not a blank
      {u"s_OrganizeModul (5)", 13, 0},     // a misspelt prefix stays
      {u"Kestrova", 13, 0},                // the pop-ups' Parameter
  };
  for (const Case& c : cases) {
    Outcome got = Convert(c.parameter);
    EXPECT_EQ(got.error, c.error) << VbToUtf8(c.parameter);
    EXPECT_EQ(got.value, c.value) << VbToUtf8(c.parameter);
  }
}

TEST(Parameter, EveryCommandRoundTrips) {
  for (std::int16_t n = 1; n <= kCommandCount; ++n) EXPECT_EQ(f_CommandOfParameter(CommandParameter(n)), n);
  EXPECT_EQ(CommandParameter(15), u"s_OrganizeModule (15)");
}

// Fault mended: a letter outside A-Z and 0-9 registered a key no one can press.
TEST(HotKeyLetter, FallsBackOutsideLettersAndDigits) {
  struct Case { VbStringView setting; char16_t fallback; char expected; };
  const Case cases[] = {
      {u"M", u'M', 'M'}, {u"q", u'M', 'Q'},  {u"k", u'I', 'K'}, {u"", u'I', 'I'},  {u"7", u'I', '7'},
      {u"ab", u'M', 'A'}, {u" q", u'M', 'M'}, {u"-", u'I', 'I'}, {u"é", u'M', 'M'}, {u"[", u'I', 'I'},
  };
  for (const Case& c : cases) EXPECT_EQ(HotKeyLetter(c.setting, c.fallback), c.expected) << VbToUtf8(c.setting);
}

}  // namespace
}  // namespace kv
