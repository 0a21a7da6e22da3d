// The tables of the single-byte and double-byte code pages. They are made at
// build time from the build host's iconv (tables/MakeCodePageTables.cpp), so
// Linux and Windows decode and encode with the very same tables.
#pragma once

#include <cstdint>
#include <string_view>

namespace kv::files::tables {

// Characters to codes, in blocks of 256 by the character's high byte.
struct EncodeTable {
  const std::uint16_t* index;          // 256 entries: the block of each high byte
  const std::uint16_t (*blocks)[256];  // block 0 holds only "none"
  std::uint16_t At(char16_t c) const { return blocks[index[c >> 8]][c & 0xFF]; }
};

// Every byte decodes; a character encodes to its byte, or kNoByte.
struct SingleByteTable {
  const char16_t* decode;  // 256 entries
  EncodeTable encode;
};
inline constexpr std::uint16_t kNoByte = 0xFFFF;

// A byte at or above 0x80 is a character by itself (single) or the lead byte
// of a pair; a character encodes to a byte, to lead << 8 | trail, or to 0
// when the code page has no bytes for it. ASCII is the same in all of them.
struct DoubleByteTable {
  const char16_t* single;  // 256 entries: the character, or 0
  const char16_t* pairs;   // by (lead - 0x80) << 8 | trail: the character, or 0
  EncodeTable encode;
};

// The table of a code page by its canonical name ("windows-1252", "gbk",
// "big5", "shift_jis"), or null when the build host's iconv lacked it.
const SingleByteTable* FindSingleByte(std::string_view name);
const DoubleByteTable* FindDoubleByte(std::string_view name);

}  // namespace kv::files::tables
