// Writes the tables of the code pages Kestrova reads and writes, as C++
// source, from the iconv of the machine that builds it. It runs on the build
// host (also when cross-compiling for Windows, which has no iconv), so both
// systems compile the very same tables and nothing is built at run time.
//
//   make-code-page-tables OUTPUT.cpp
//
// Single-byte code pages: every byte decodes. A byte iconv refuses (the five
// holes of windows-1252: 0x81, 0x8D, 0x8F, 0x90, 0x9D) decodes to the control
// character of the same number, as Windows decodes it, or to U+F700 + byte
// should that character be taken; so every decoded character encodes back to
// its byte.
//
// Double-byte code pages (GBK, Big5, Shift_JIS): each byte and each
// lead-trail pair is decoded once and its character encoded once; it counts
// only when it comes back as the same bytes. A sequence the code page does
// not define, or a second spelling of a character, is left out, so decoding
// refuses it and what decodes is written back byte for byte.
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Page {
  const char* name;   // as CodePage::Open knows it
  const char* iconv;  // glibc's name
  bool singleByte;
};

constexpr Page kPages[] = {
    {"windows-1250", "CP1250", true}, {"windows-1251", "CP1251", true}, {"windows-1252", "CP1252", true},
    {"windows-1253", "CP1253", true}, {"windows-1254", "CP1254", true}, {"windows-1255", "CP1255", true},
    {"windows-1256", "CP1256", true}, {"windows-1257", "CP1257", true}, {"windows-1258", "CP1258", true},
    {"gbk", "CP936", false},          {"big5", "BIG5", false},          {"shift_jis", "CP932", false},
};

// One open conversion between a code page and UTF-16LE.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // All of `in` converted from its initial state, or nothing when any of it
  // does not convert.
  std::optional<std::string> Convert(std::string_view in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - dstLeft);
    return out;
  }

 private:
  iconv_t cd_;
};

// The one UTF-16 unit `bytes` decode to, or 0.
char16_t DecodeOne(Iconv& dec, std::string_view bytes) {
  std::optional<std::string> out = dec.Convert(bytes);
  if (!out || out->size() != 2) return 0;
  return static_cast<char16_t>(static_cast<unsigned char>((*out)[0]) | static_cast<unsigned char>((*out)[1]) << 8);
}

std::string Utf16(char16_t c) { return {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)}; }

class Writer {
 public:
  explicit Writer(std::ostream& out) : out_(out) {}

  template <typename T>
  void Array(const char* type, const std::string& name, const std::vector<T>& values) {
    out_ << "constexpr " << type << ' ' << name << '[' << values.size() << "] = {";
    for (std::size_t i = 0; i < values.size(); ++i) out_ << (i == 0 ? "\n" : i % 24 ? "," : ",\n") << unsigned(values[i]);
    out_ << "};\n";
  }

  // A character-to-code table in blocks of 256 by the character's high byte;
  // block 0 holds only `none`.
  void Encode(const std::string& name, const std::vector<std::uint16_t>& byChar, std::uint16_t none) {
    std::vector<std::uint16_t> index(256, 0), blocks(256, none);
    for (int high = 0; high < 256; ++high) {
      auto first = byChar.begin() + high * 256;
      if (std::all_of(first, first + 256, [&](std::uint16_t v) { return v == none; })) continue;
      index[high] = static_cast<std::uint16_t>(blocks.size() / 256);
      blocks.insert(blocks.end(), first, first + 256);
    }
    Array("std::uint16_t", name + "Index", index);
    out_ << "constexpr std::uint16_t " << name << "Blocks[" << blocks.size() / 256 << "][256] = {";
    for (std::size_t i = 0; i < blocks.size(); ++i)
      out_ << (i % 256 == 0 ? (i ? "},\n{" : "\n{") : (i % 24 ? "," : ",\n")) << blocks[i];
    out_ << "}};\n";
  }

  std::ostream& out_;
};

bool SingleByte(Writer& w, const Page& page, const std::string& id) {
  Iconv dec("UTF-16LE", page.iconv);
  if (!dec.ok()) return false;
  std::vector<char16_t> decode(256, 0);
  std::vector<std::uint16_t> encode(65536, 0xFFFF);
  std::array<bool, 256> hole{};
  for (int b = 0; b < 256; ++b) {
    std::optional<std::string> out = dec.Convert(std::string(1, static_cast<char>(b)));
    hole[b] = true;
    if (!out || out->size() != 2) continue;
    char16_t c = static_cast<char16_t>(static_cast<unsigned char>((*out)[0]) | static_cast<unsigned char>((*out)[1]) << 8);
    if (encode[c] != 0xFFFF) continue;  // a second byte for the same character
    decode[b] = c;
    encode[c] = static_cast<std::uint16_t>(b);
    hole[b] = false;
  }
  for (int b = 0; b < 256; ++b) {
    if (!hole[b]) continue;
    char16_t c = encode[b] == 0xFFFF ? char16_t(b) : char16_t(0xF700 + b);
    decode[b] = c;
    encode[c] = static_cast<std::uint16_t>(b);
  }
  w.Array("char16_t", id + "Decode", decode);
  w.Encode(id + "Encode", encode, 0xFFFF);
  w.out_ << "constexpr SingleByteTable " << id << "{" << id << "Decode, {" << id << "EncodeIndex, " << id
         << "EncodeBlocks}};\n\n";
  return true;
}

bool DoubleByte(Writer& w, const Page& page, const std::string& id) {
  Iconv dec("UTF-16LE", page.iconv), enc(page.iconv, "UTF-16LE");
  if (!dec.ok() || !enc.ok()) return false;
  std::vector<char16_t> single(256, 0), pairs(128 * 256, 0);
  std::vector<std::uint16_t> encode(65536, 0);
  auto comesBack = [&](char16_t c, std::string_view bytes) {
    std::optional<std::string> back = enc.Convert(Utf16(c));
    return back && *back == bytes;
  };
  for (int lead = 0x80; lead < 0x100; ++lead) {
    std::string one(1, static_cast<char>(lead));
    if (char16_t c = DecodeOne(dec, one); c >= 0x80 && comesBack(c, one)) {
      single[lead] = c;
      encode[c] = static_cast<std::uint16_t>(lead);
      continue;
    }
    for (int trail = 0x40; trail < 0x100; ++trail) {
      std::string two{static_cast<char>(lead), static_cast<char>(trail)};
      char16_t c = DecodeOne(dec, two);
      if (c < 0x80 || !comesBack(c, two)) continue;
      pairs[(lead - 0x80) << 8 | trail] = c;
      encode[c] = static_cast<std::uint16_t>(lead << 8 | trail);
    }
  }
  w.Array("char16_t", id + "Single", single);
  w.Array("char16_t", id + "Pairs", pairs);
  w.Encode(id + "Encode", encode, 0);
  w.out_ << "constexpr DoubleByteTable " << id << "{" << id << "Single, " << id << "Pairs, {" << id
         << "EncodeIndex, " << id << "EncodeBlocks}};\n\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make-code-page-tables OUTPUT.cpp\n";
    return 2;
  }
  std::ostringstream text;
  Writer w(text);
  text << "// Generated by make-code-page-tables from the build host's iconv. Do not edit.\n"
          "#include \"files/CodePageTables.h\"\n\nnamespace kv::files::tables {\nnamespace {\n\n";
  std::string lookup[2];  // single-byte, double-byte
  for (const Page& page : kPages) {
    std::string id = std::string("k") + (page.singleByte ? "Single" : "Double") + std::to_string(&page - kPages);
    bool made = page.singleByte ? SingleByte(w, page, id) : DoubleByte(w, page, id);
    if (!made) {
      std::cerr << "make-code-page-tables: warning: iconv lacks " << page.iconv << "; " << page.name
                << " is left out\n";
      continue;
    }
    lookup[page.singleByte ? 0 : 1] += std::string("  if (name == \"") + page.name + "\") return &" + id + ";\n";
  }
  text << "}  // namespace\n\nconst SingleByteTable* FindSingleByte(std::string_view name) {\n" << lookup[0]
       << "  return nullptr;\n}\n\nconst DoubleByteTable* FindDoubleByte(std::string_view name) {\n" << lookup[1]
       << "  return nullptr;\n}\n\n}  // namespace kv::files::tables\n";
  std::ofstream out(argv[1], std::ios::binary);
  out << text.str();
  out.close();
  if (!out) {
    std::cerr << "make-code-page-tables: cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
