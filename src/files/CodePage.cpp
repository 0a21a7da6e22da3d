// Code pages: the names, the single-byte tables and the multi-byte iconv
// conversions with their round-trip check.
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

// A multi-byte code page through iconv. ASCII runs are widened directly (each
// of these code pages keeps ASCII as it is, and an ASCII byte never trails a
// lead byte at a character boundary); the rest goes through iconv a line at a
// time and is encoded back at once, so a byte sequence that would not come
// back the same is refused where it stands.
class IconvCodePage final : public CodePage {
 public:
  IconvCodePage(std::string name, const char* iconvName)
      : CodePage(std::move(name)), decoder_(kUtf16, iconvName), encoder_(iconvName, kUtf16) {}
  bool ok() const { return decoder_.ok() && encoder_.ok(); }

  void Decode(std::string_view bytes, VbString& out) override {
    std::size_t i = 0, n = bytes.size();
    while (i < n) {
      std::size_t j = i;
      while (j < n && static_cast<unsigned char>(bytes[j]) < 0x80) ++j;
      Widen(bytes.substr(i, j - i), out);
      if (j == n) break;
      std::size_t k = bytes.find('\n', j);
      if (k == std::string_view::npos) k = n;
      DecodeSegment(bytes.substr(j, k - j), j, out);
      i = k;
    }
  }

  void Encode(VbStringView text, std::string& out) override {
    std::size_t i = 0, n = text.size();
    while (i < n) {
      std::size_t j = i;
      while (j < n && text[j] < 0x80) ++j;
      std::size_t at = out.size();
      out.resize(at + (j - i));
      char* dst = out.data() + at;
      for (std::size_t k = i; k < j; ++k) *dst++ = static_cast<char>(text[k]);
      if (j == n) break;
      std::size_t k = j;
      while (k < n && text[k] >= 0x80) ++k;
      if (auto bad = encoder_.Convert(Bytes(text.substr(j, k - j)), out)) {
        std::size_t unit = j + *bad / 2;
        throw EncodeError(unit, fmt::format("U+{:04X} has no bytes in {}", unsigned(text[unit]), Name()));
      }
      i = k;
    }
  }

 private:
  static void Widen(std::string_view ascii, VbString& out) {
    std::size_t at = out.size();
    out.resize(at + ascii.size());
    for (std::size_t k = 0; k < ascii.size(); ++k) out[at + k] = static_cast<unsigned char>(ascii[k]);
  }

  void DecodeSegment(std::string_view segment, std::size_t base, VbString& out) {
    wide_.clear();
    if (auto bad = decoder_.Convert(segment, wide_)) {
      throw DecodeError(base + *bad, fmt::format("not a {} character", Name()));
    }
    back_.clear();
    std::string_view units = wide_;
    if (encoder_.Convert(units, back_) || back_ != segment) {
      std::size_t m = 0;
      while (m < segment.size() && m < back_.size() && segment[m] == back_[m]) ++m;
      throw DecodeError(base + m, fmt::format("a {} character that would not be written back the same", Name()));
    }
    std::size_t at = out.size();
    out.resize(at + wide_.size() / 2);
    std::memcpy(out.data() + at, wide_.data(), wide_.size() / 2 * 2);
  }

  Iconv decoder_;
  Iconv encoder_;
  std::string wide_;  // scratch, reused
  std::string back_;
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
    auto page = std::make_unique<IconvCodePage>(canonical, k.iconvName);
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
