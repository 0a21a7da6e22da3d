// The generated code page tables beside Windows' own conversions
// (MultiByteToWideChar). The two may differ in a few corners, so the
// differences are listed in the output, not failed on; a page missing from
// the tables fails.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <cstdio>
#include <string>
#include <vector>

#include "files/CodePageTables.h"

namespace kv::files {
namespace {

// Windows' one UTF-16 unit for the bytes, or -1.
int Theirs(UINT cp, std::string_view bytes) {
  wchar_t out[4];
  int n = MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), out, 4);
  return n == 1 ? out[0] : -1;
}

TEST(CodePageTables, BesideMultiByteToWideChar) {
  struct Page { UINT cp; const char* name; } pages[] = {
      {1250, "windows-1250"}, {1251, "windows-1251"}, {1252, "windows-1252"}, {1253, "windows-1253"},
      {1254, "windows-1254"}, {1255, "windows-1255"}, {1256, "windows-1256"}, {1257, "windows-1257"},
      {1258, "windows-1258"}, {936, "gbk"}, {950, "big5"}, {932, "shift_jis"}};
  for (const Page& page : pages) {
    std::string listed;
    int differences = 0;
    auto compare = [&](std::string_view bytes, int ours) {
      int theirs = Theirs(page.cp, bytes);
      if ((ours ? ours : -1) == theirs || ++differences > 12) return;
      auto unit = [](int c) { return c > 0 ? fmt::format("U+{:04X}", c) : std::string("none"); };
      listed += fmt::format(" {:02X}:{}/{}", fmt::join(std::vector<unsigned char>(bytes.begin(), bytes.end()), ""),
                            unit(ours), unit(theirs));
    };
    if (const tables::SingleByteTable* single = tables::FindSingleByte(page.name)) {
      for (int b = 0x80; b < 0x100; ++b) compare(std::string(1, static_cast<char>(b)), single->decode[b]);
    } else if (const tables::DoubleByteTable* dbcs = tables::FindDoubleByte(page.name)) {
      for (int lead = 0x80; lead < 0x100; ++lead) {
        compare(std::string(1, static_cast<char>(lead)), dbcs->single[lead]);
        if (dbcs->single[lead]) continue;
        for (int trail = 0x40; trail < 0x100; ++trail)
          compare(std::string{static_cast<char>(lead), static_cast<char>(trail)}, dbcs->pairs[(lead - 0x80) << 8 | trail]);
      }
    } else {
      ADD_FAILURE() << page.name << " is missing from the tables";
    }
    std::printf("code page %u: %d differences (bytes:ours/Windows')%s\n", page.cp, differences, listed.c_str());
  }
}

}  // namespace
}  // namespace kv::files
#endif
