// Code pages: the names, and the single-byte and double-byte code pages
// over the tables generated at build time.
#include "files/CodePage.h"

#include <array>
#include <cstdint>

#include <fmt/format.h>

#include "files/CodePageTables.h"

namespace kv::files {

std::unique_ptr<CodePage> MakeUtf8CodePage();  // Utf8.cpp

namespace {

struct Known {
  std::string_view name;   // canonical
  std::string_view alias;  // another name users write
};

constexpr std::array kKnown = {
    Known{"windows-1250", "cp1250"}, Known{"windows-1251", "cp1251"}, Known{"windows-1252", "cp1252"},
    Known{"windows-1253", "cp1253"}, Known{"windows-1254", "cp1254"}, Known{"windows-1255", "cp1255"},
    Known{"windows-1256", "cp1256"}, Known{"windows-1257", "cp1257"}, Known{"windows-1258", "cp1258"},
    Known{"gbk", "cp936"},           Known{"big5", "cp950"},          Known{"shift_jis", "cp932"},
    Known{"utf-8", "utf8"},
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

// A single-byte code page: every byte decodes, and every decoded character
// encodes back to its byte.
class SingleByteCodePage final : public CodePage {
 public:
  SingleByteCodePage(std::string name, const tables::SingleByteTable& table)
      : CodePage(std::move(name)), table_(table) {
    for (char16_t c = 0; c < 0x80; ++c) asciiKept_ = asciiKept_ && table_.encode.At(c) == c;
  }

  void Decode(std::string_view bytes, VbString& out) override {
    std::size_t at = out.size();
    out.resize(at + bytes.size());
    char16_t* dst = out.data() + at;
    for (unsigned char b : bytes) *dst++ = table_.decode[b];
  }

  void Encode(VbStringView text, std::string& out) override {
    std::size_t at = out.size();
    out.resize(at + text.size());
    char* dst = out.data() + at;
    for (std::size_t i = 0; i < text.size(); ++i) {
      // Code is mostly ASCII, which every one of these code pages keeps as
      // it is: eight units at a time skip the table.
      if (asciiKept_) {
        while (i + 8 <= text.size() && AllAscii(text.data() + i)) {
          for (std::size_t k = 0; k < 8; ++k) *dst++ = static_cast<char>(text[i + k]);
          i += 8;
        }
        if (i == text.size()) break;
      }
      std::uint16_t b = table_.encode.At(text[i]);
      if (b == tables::kNoByte) {
        out.resize(at + i);
        throw EncodeError(i, fmt::format("U+{:04X} has no byte in {}", unsigned(text[i]), Name()));
      }
      *dst++ = static_cast<char>(b);
    }
  }

 private:
  static bool AllAscii(const char16_t* units) {
    char16_t any = 0;
    for (std::size_t k = 0; k < 8; ++k) any |= units[k];
    return any < 0x80;
  }

  const tables::SingleByteTable& table_;
  bool asciiKept_ = true;
};

// A double-byte code page (GBK, Big5, Shift_JIS): a table look-up per
// character. A byte sequence the code page does not define, or one that
// would be written back differently (a second spelling of a character), is
// refused where it stands. A trail byte is only ever read right after its
// lead byte.
class DoubleByteCodePage final : public CodePage {
 public:
  DoubleByteCodePage(std::string name, const tables::DoubleByteTable& table)
      : CodePage(std::move(name)), table_(table) {}

  void Decode(std::string_view bytes, VbString& out) override {
    std::size_t at = out.size();
    out.resize(at + bytes.size());
    char16_t* dst = out.data() + at;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n;) {
      if (b[i] < 0x80) {
        *dst++ = b[i++];
      } else if (char16_t c = table_.single[b[i]]) {
        *dst++ = c;
        ++i;
      } else if (char16_t p = i + 1 < n ? table_.pairs[(b[i] - 0x80) << 8 | b[i + 1]] : 0) {
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
      std::uint16_t code = table_.encode.At(c);
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
  const tables::DoubleByteTable& table_;
};

}  // namespace

std::unique_ptr<CodePage> CodePage::Open(std::string_view name) {
  for (const Known& k : kKnown) {
    if (!SameNoCase(name, k.name) && !SameNoCase(name, k.alias)) continue;
    std::string canonical(k.name);
    if (k.name == "utf-8") return MakeUtf8CodePage();
    if (const tables::SingleByteTable* table = tables::FindSingleByte(k.name))
      return std::make_unique<SingleByteCodePage>(canonical, *table);
    if (const tables::DoubleByteTable* table = tables::FindDoubleByte(k.name))
      return std::make_unique<DoubleByteCodePage>(canonical, *table);
    return nullptr;
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
