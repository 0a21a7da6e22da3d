// Code pages: lossless decoding, refusals with their offsets, names.
#include "files/CodePage.h"

#include <gtest/gtest.h>

namespace kv::files {
namespace {

std::unique_ptr<CodePage> Page(std::string_view name) {
  auto page = CodePage::Open(name);
  EXPECT_TRUE(page) << name;
  return page;
}

VbString Decode(std::string_view name, std::string_view bytes) {
  VbString out;
  Page(name)->Decode(bytes, out);
  return out;
}

std::string Encode(std::string_view name, VbStringView text) {
  std::string out;
  Page(name)->Encode(text, out);
  return out;
}

std::size_t DecodeFailsAt(std::string_view name, std::string_view bytes) {
  try {
    Decode(name, bytes);
  } catch (const DecodeError& e) {
    return e.Offset();
  }
  return std::string::npos;
}

TEST(CodePage, EverySingleByteCodePageRoundTripsAllBytes) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  for (int cp = 1250; cp <= 1258; ++cp) {
    std::string name = "windows-" + std::to_string(cp);
    VbString text = Decode(name, all);
    EXPECT_EQ(text.size(), all.size()) << name;
    EXPECT_EQ(Encode(name, text), all) << name;
  }
}

TEST(CodePage, Windows1252HolesDecodeToTheControlsOfTheSameNumber) {
  EXPECT_EQ(Decode("windows-1252", "\x81\x8D\x8F\x90\x9D"), VbString(u"\u0081\u008D\u008F\u0090\u009D"));
  EXPECT_EQ(Decode("windows-1252", "\x80\xE9\x93"), VbString(u"\u20AC\u00E9\u201C"));
  EXPECT_EQ(Encode("windows-1252", u"\u0081caf\u00E9\u20AC"), "\x81" "caf\xE9\x80");
}

TEST(CodePage, MultiByteCodePagesDecodeAndEncode) {
  struct Case {
    std::string_view page, bytes;
    VbStringView text;
  } cases[] = {
      {"gbk", "' \xD6\xD0\xCE\xC4\xA3\xAC ok", u"' 中文， ok"}, {"cp936", "x = \"\xC4\xE3\xBA\xC3\"", u"x = \"你好\""},
      {"big5", "\xA4\xA4\xA4\xE5", u"中文"}, {"shift_jis", "\x93\xFA\x96\x7B\\~", u"日本\\~"},
      {"utf-8", "\xE4\xB8\xAD \xF0\x9F\x98\x80", u"中 \U0001F600"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Decode(c.page, c.bytes), c.text) << c.page;
    EXPECT_EQ(Encode(c.page, c.text), c.bytes) << c.page;
  }
}

TEST(CodePage, BytesThatCannotBeDecodedLosslesslyAreRefusedWhereTheyStand) {
  EXPECT_EQ(DecodeFailsAt("gbk", "abc\xD6"), 3u);           // a lead byte without its trail
  EXPECT_EQ(DecodeFailsAt("gbk", "ab\r\n\xD6\xD0\xFF\x20"), 6u);
  EXPECT_EQ(DecodeFailsAt("big5", "x\xA4"), 1u);
  EXPECT_EQ(DecodeFailsAt("utf-8", "ab\xC0\x80"), 2u);     // overlong
  EXPECT_EQ(DecodeFailsAt("utf-8", "\xED\xA0\x80"), 0u);   // an encoded surrogate
  EXPECT_EQ(DecodeFailsAt("utf-8", "a\xE4\xB8"), 1u);      // cut short
  EXPECT_EQ(DecodeFailsAt("windows-1252", "\x81\x8D"), std::string::npos);
}

TEST(CodePage, NamesMatchWithoutRegardToCaseAndSeparators) {
  for (std::string_view name : {"WINDOWS-1252", "cp1252", "Windows_1250", "GBK", "CP936", "Shift-JIS", "cp932",
                                "Big5", "UTF8"}) {
    EXPECT_TRUE(CodePage::Open(name)) << name;
  }
  EXPECT_FALSE(CodePage::Open("klingon"));
  EXPECT_FALSE(CodePage::Open(""));
  EXPECT_EQ(CodePage::Open("CP936")->Name(), "gbk");
}

TEST(CodePage, Utf8IsTellingValidNonAsciiBytes) {
  EXPECT_TRUE(LooksLikeUtf8("caf\xC3\xA9"));
  // Plain ASCII, windows-1252, GBK, and one bad sequence that spoils the rest.
  for (std::string_view bytes : {"plain ascii", "", "caf\xE9", "\xD6\xD0\xCE\xC4", "\xC3\xA9\xC0\x80"})
    EXPECT_FALSE(LooksLikeUtf8(bytes)) << bytes;
}

}  // namespace
}  // namespace kv::files
