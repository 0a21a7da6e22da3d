// Code pages: the names, and the tables of the single-byte and double-byte
// code pages, built from glibc's iconv.
#include "files/CodePage.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#include <fmt/format.h>

namespace kv::files {

std::unique_ptr<CodePage> MakeUtf8CodePage();  // Utf8.cpp

namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

struct Known {
  std::string_view name;   // canonical
  std::string_view alias;  // another name users write
  const char* iconvName;   // glibc's name; null for UTF-8
  bool singleByte;
};

constexpr std::array kKnown = {
    Known{"windows-1250", "cp1250", "CP1250", true}, Known{"windows-1251", "cp1251", "CP1251", true},
    Known{"windows-1252", "cp1252", "CP1252", true}, Known{"windows-1253", "cp1253", "CP1253", true},
    Known{"windows-1254", "cp1254", "CP1254", true}, Known{"windows-1255", "cp1255", "CP1255", true},
    Known{"windows-1256", "cp1256", "CP1256", true}, Known{"windows-1257", "cp1257", "CP1257", true},
    Known{"windows-1258", "cp1258", "CP1258", true}, Known{"gbk", "cp936", "CP936", false},
    Known{"big5", "cp950", "BIG5", false},           Known{"shift_jis", "cp932", "CP932", false},
    Known{"utf-8", "utf8", nullptr, false},
};

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
    char x = lower(a[i]), y = lower(b[i]);
    if (x == '_') x = '-';  // shift_jis, shift-jis; windows_1252...
    if (y == '_') y = '-';
    if (x != y) return false;
  }
  return true;
}

// One open iconv conversion.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `in`, appending to `out`. Returns the offset (in bytes of
  // `in`) where the input stopped being convertible, or nothing on success.
  std::optional<std::size_t> Convert(std::string_view in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // initial state
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    while (true) {
      std::size_t start = out.size();
      std::size_t room = srcLeft * 4 + 16;
      out.resize(start + room);
      char* dst = out.data() + start;
      std::size_t dstLeft = room;
      std::size_t rc = srcLeft ? iconv(cd_, &src, &srcLeft, &dst, &dstLeft) : 0;
      int err = errno;
      if (rc != static_cast<std::size_t>(-1)) {
        // Flush what a stateful decoder still holds back.
        rc = iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        err = errno;
      }
      out.resize(out.size() - dstLeft);
      if (rc != static_cast<std::size_t>(-1)) return std::nullopt;
      if (err != E2BIG) return static_cast<std::size_t>(src - in.data());
    }
  }

 private:
  iconv_t cd_;
};

std::string_view Bytes(VbStringView text) {
  return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

// A single-byte code page as a pair of tables, built from iconv one byte at a
// time. A byte iconv refuses decodes to the character of the same number (or,
// should that character be taken, to a private-use one), so that every byte
// decodes and every decoded character encodes back to its byte.
class TableCodePage final : public CodePage {
 public:
  TableCodePage(std::string name, const char* iconvName) : CodePage(std::move(name)), encode_(65536, -1) {
    Iconv dec(kUtf16, iconvName);
    std::array<bool, 256> hole{};
    for (int b = 0; b < 256; ++b) {
      std::string in(1, static_cast<char>(b)), out;
      hole[b] = true;
      if (dec.Convert(in, out) || out.size() != 2) continue;
      char16_t c = 0;
      std::memcpy(&c, out.data(), 2);
      if (encode_[c] >= 0) continue;  // a second byte for the same character
      decode_[b] = c;
      encode_[c] = static_cast<std::int16_t>(b);
      hole[b] = false;
    }
    for (int b = 0; b < 256; ++b) {
      if (!hole[b]) continue;
      char16_t c = encode_[b] < 0 ? char16_t(b) : char16_t(0xF700 + b);
      decode_[b] = c;
      encode_[c] = static_cast<std::int16_t>(b);
    }
  }

  void Decode(std::string_view bytes, VbString& out) override {
    std::size_t at = out.size();
    out.resize(at + bytes.size());
    char16_t* dst = out.data() + at;
    for (unsigned char b : bytes) *dst++ = decode_[b];
  }

  void Encode(VbStringView text, std::string& out) override {
    std::size_t at = out.size();
    out.resize(at + text.size());
    char* dst = out.data() + at;
    for (std::size_t i = 0; i < text.size(); ++i) {
      std::int16_t b = encode_[text[i]];
      if (b < 0) {
        out.resize(at + i);
        throw EncodeError(i, fmt::format("U+{:04X} has no byte in {}", unsigned(text[i]), Name()));
      }
      *dst++ = static_cast<char>(b);
    }
  }

 private:
  std::array<char16_t, 256> decode_{};
  std::vector<std::int16_t> encode_;  // by UTF-16 unit; -1: none
};

// A double-byte code page (GBK, Big5, Shift_JIS) as tables, built from iconv
// the first time a byte above ASCII is met: each byte and each lead-trail
// pair is decoded once, each character it gives is encoded once, and a pair
// counts only when it comes back as itself. So decoding and encoding are
// lossless by construction and cost a table look-up per character; a byte
// sequence the code page does not define, or one that would be written back
// differently (a second spelling of a character), is refused where it
// stands. ASCII is the same in all of them, and a trail byte is only ever
// read right after its lead byte.
class DoubleByteCodePage final : public CodePage {
 public:
  DoubleByteCodePage(std::string name, const char* iconvName) : CodePage(std::move(name)), iconvName_(iconvName) {}

  bool ok() const {
    Iconv probe(kUtf16, iconvName_);
    return probe.ok();
  }

  void Decode(std::string_view bytes, VbString& out) override {
    std::size_t at = out.size();
    out.resize(at + bytes.size());
    char16_t* dst = out.data() + at;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n;) {
      if (b[i] < 0x80) {
        *dst++ = b[i++];
        continue;
      }
      Build();
      if (char16_t c = single_[b[i]]) {
        *dst++ = c;
        ++i;
      } else if (char16_t p = i + 1 < n ? pair_[(b[i] << 8) | b[i + 1]] : 0) {
        *dst++ = p;
        i += 2;
      } else {
        out.resize(static_cast<std::size_t>(dst - out.data()));
        throw DecodeError(i, fmt::format("not a {} character", Name()));
      }
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
  }

  void Encode(VbStringView text, std::string& out) override {
    std::size_t at = out.size();
    out.resize(at + text.size() * 2);
    char* dst = out.data() + at;
    for (std::size_t i = 0; i < text.size(); ++i) {
      char16_t c = text[i];
      if (c < 0x80) {
        *dst++ = static_cast<char>(c);
        continue;
      }
      Build();
      std::uint16_t code = encode_[c];
      if (code == 0) {
        out.resize(static_cast<std::size_t>(dst - out.data()));
        throw EncodeError(i, fmt::format("U+{:04X} has no bytes in {}", unsigned(c), Name()));
      }
      if (code > 0xFF) *dst++ = static_cast<char>(code >> 8);
      *dst++ = static_cast<char>(code & 0xFF);
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
  }

 private:
  // One character from iconv, or 0.
  static char16_t DecodeOne(Iconv& dec, std::string_view in) {
    std::string out;
    if (dec.Convert(in, out) || out.size() != 2) return 0;
    char16_t c;
    std::memcpy(&c, out.data(), 2);
    return c;
  }

  void Build() {
    if (built_) return;
    built_ = true;
    single_.fill(0);
    pair_.assign(65536, 0);
    encode_.assign(65536, 0);
    Iconv dec(kUtf16, iconvName_);
    Iconv enc(iconvName_, kUtf16);
    auto comesBack = [&](char16_t c, std::string_view bytes) {
      std::string back;
      return !enc.Convert(Bytes(VbStringView(&c, 1)), back) && back == bytes;
    };
    for (int lead = 0x80; lead < 0x100; ++lead) {
      std::string one(1, static_cast<char>(lead));
      if (char16_t c = DecodeOne(dec, one); c >= 0x80 && comesBack(c, one)) {
        single_[lead] = c;
        encode_[c] = static_cast<std::uint16_t>(lead);
        continue;
      }
      for (int trail = 0x40; trail < 0x100; ++trail) {
        std::string two{static_cast<char>(lead), static_cast<char>(trail)};
        char16_t c = DecodeOne(dec, two);
        if (c < 0x80 || !comesBack(c, two)) continue;
        pair_[(lead << 8) | trail] = c;
        encode_[c] = static_cast<std::uint16_t>((lead << 8) | trail);
      }
    }
  }

  const char* iconvName_;
  bool built_ = false;
  std::array<char16_t, 256> single_{};
  std::vector<char16_t> pair_;         // by lead << 8 | trail; 0: none
  std::vector<std::uint16_t> encode_;  // by UTF-16 unit: a byte, lead << 8 | trail, or 0: none
};

}  // namespace

std::unique_ptr<CodePage> CodePage::Open(std::string_view name) {
  for (const Known& k : kKnown) {
    if (!SameNoCase(name, k.name) && !SameNoCase(name, k.alias)) continue;
    std::string canonical(k.name);
    if (!k.iconvName) return MakeUtf8CodePage();
    if (k.singleByte) {
      Iconv probe(kUtf16, k.iconvName);
      if (!probe.ok()) return nullptr;
      return std::make_unique<TableCodePage>(canonical, k.iconvName);
    }
    auto page = std::make_unique<DoubleByteCodePage>(canonical, k.iconvName);
    if (!page->ok()) return nullptr;
    return page;
  }
  return nullptr;
}

std::vector<std::string> CodePage::KnownNames() {
  std::vector<std::string> names;
  for (const Known& k : kKnown) {
    names.emplace_back(k.name);
    names.emplace_back(k.alias);
  }
  return names;
}

}  // namespace kv::files
