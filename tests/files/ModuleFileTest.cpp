// Module files: the byte-exact round trip of every kind, code page and line
// end, and what changes when the code does.
#include "files/ModuleFile.h"

#include <gtest/gtest.h>

#include "files/SafeFile.h"

namespace kv::files {
namespace {

using vbide::ComponentType;

struct Pages {
  std::unique_ptr<CodePage> w1252 = CodePage::Open("windows-1252");
  std::unique_ptr<CodePage> gbk = CodePage::Open("gbk");
  std::unique_ptr<CodePage> utf8 = CodePage::Open("utf-8");
};

std::string RoundTrip(std::string_view bytes, ComponentType type, CodePage& ansi, CodePage& utf8) {
  DecodedModule m = DecodeModuleFile(bytes, type, ansi, utf8);
  return EncodeModuleFile(m.file, m.code);
}

TEST(ModuleFile, UntouchedFilesComeBackByteForByte) {
  Pages p;
  struct Case {
    std::string_view name, bytes;
    ComponentType type;
    CodePage* ansi;
  } cases[] = {
      {"bas crlf", "Attribute VB_Name = \"modMain\"\r\nSub Main()\r\n\tx = 1\r\nEnd Sub\r\n", ComponentType::StdModule, p.w1252.get()},
      {"bas lf, no final end", "Attribute VB_Name = \"m\"\nSub Main()\nEnd Sub", ComponentType::StdModule, p.w1252.get()},
      {"1252 holes and accents", "' caf\xE9 \x81\x8D\x8F\x90\x9D \x80\r\nx = \"\x93q\x94\"\r\n", ComponentType::StdModule, p.w1252.get()},
      {"gbk", "Attribute VB_Name = \"m\"\r\n' \xD6\xD0\xCE\xC4\xA3\xAC\r\nMsgBox \"\xC4\xE3\xBA\xC3\"\r\n", ComponentType::StdModule, p.gbk.get()},
      {"utf-8 with bom", "\xEF\xBB\xBF' \xE4\xB8\xAD\n", ComponentType::StdModule, p.w1252.get()},
      {"utf-8 without bom", "' \xE4\xB8\xAD\r\n", ComponentType::StdModule, p.w1252.get()},
      {"class", "VERSION 1.0 CLASS\r\nBEGIN\r\n  MultiUse = -1  'True\r\nEND\r\nAttribute VB_Name = \"c\"\r\n"
                "Public Property Get V() As Long\r\nAttribute V.VB_UserMemId = 0\r\nEnd Property\r\n", ComponentType::ClassModule, p.w1252.get()},
      {"form", "VERSION 5.00\r\nBegin VB.Form f \r\n   Caption = \"x\"\r\nEnd\r\nAttribute VB_Name = \"f\"\r\n", ComponentType::VBForm, p.w1252.get()},
      {"mixed ends", "a\nb\r\nc\r\n", ComponentType::StdModule, p.w1252.get()},
      {"empty", "", ComponentType::StdModule, p.w1252.get()},
      {"only a line end", "\r\n", ComponentType::StdModule, p.w1252.get()},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundTrip(c.bytes, c.type, *c.ansi, *p.utf8), c.bytes) << c.name;
}

TEST(ModuleFile, ChangedLinesAreWrittenInTheFilesOwnCodePageAndEnds) {
  Pages p;
  DecodedModule m = DecodeModuleFile("Attribute VB_Name = \"m\"\r\nSub A()\r\nx = \"\xD6\xD0\"\r\nEnd Sub",
                                     ComponentType::StdModule, *p.w1252, *p.utf8);
  EXPECT_EQ(m.file.page->Name(), "windows-1252");
  ASSERT_EQ(m.code.size(), 3u);
  EXPECT_EQ(m.code[1], u"x = \"\u00D6\u00D0\"");
  m.code[1] = u"    x = \"\u00D6\u00D0\"";
  EXPECT_EQ(EncodeModuleFile(m.file, m.code), "Attribute VB_Name = \"m\"\r\nSub A()\r\n    x = \"\xD6\xD0\"\r\nEnd Sub");
}

}  // namespace
}  // namespace kv::files
