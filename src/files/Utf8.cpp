// UTF-8: the strict decoder and encoder of the "utf-8" code page, and the test
// that tells a UTF-8 file from an ANSI one.
//
// Strict means lossless: an overlong form, an encoded surrogate or a value past
// U+10FFFF is not UTF-8 (it would not come back as the same bytes), and a lone
// surrogate in the text has no UTF-8 form.
#include <fmt/format.h>

#include "files/CodePage.h"

namespace kv::files {

namespace {

// The length of the well-formed sequence at `i`, or 0; its value in `cp`.
std::size_t SequenceAt(std::string_view s, std::size_t i, char32_t& cp) {
  auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char b0 = b(i);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t len;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2, min = 0x80, cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3, min = 0x800, cp = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4, min = 0x10000, cp = b0 & 0x07;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

class Utf8CodePage final : public CodePage {
 public:
  Utf8CodePage() : CodePage("utf-8") {}

  void Decode(std::string_view bytes, VbString& out) override {
    out.reserve(out.size() + bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
      if (static_cast<unsigned char>(bytes[i]) < 0x80) {
        out.push_back(static_cast<char16_t>(bytes[i++]));
        continue;
      }
      char32_t cp;
      std::size_t len = SequenceAt(bytes, i, cp);
      if (!len) throw DecodeError(i, "not UTF-8");
      if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
      } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
      }
      i += len;
    }
  }

  void Encode(VbStringView text, std::string& out) override {
    out.reserve(out.size() + text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
      char32_t c = text[i];
      if (c < 0x80) {
        out.push_back(static_cast<char>(c));
        continue;
      }
      if (c >= 0xD800 && c <= 0xDFFF) {
        bool pair = c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (!pair) throw EncodeError(i, fmt::format("a lone surrogate U+{:04X} has no UTF-8 form", unsigned(c)));
        c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
      }
      if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      }
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
};

}  // namespace

std::unique_ptr<CodePage> MakeUtf8CodePage() { return std::make_unique<Utf8CodePage>(); }

bool LooksLikeUtf8(std::string_view bytes) {
  bool nonAscii = false;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t cp;
    std::size_t len = SequenceAt(bytes, i, cp);
    if (!len) return false;
    nonAscii = true;
    i += len;
  }
  return nonAscii;
}

}  // namespace kv::files
