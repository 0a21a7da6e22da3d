// Escaping of setting keys and values in the settings file.
#include "options/SettingsEscaping.h"

#include <optional>

namespace kv::settings {

const std::string_view kFileHeader =
    "; Kestrova settings: the add-in's options, one \"key=value\" line each in the\n"
    "; section [Kestrovaer]. Saving rewrites only the lines of the keys it saves;\n"
    "; other lines, sections and comments stay as they are. The file is UTF-8.\n"
    "; Blanks and tabs around a key or a value are not part of it. A backslash\n"
    "; starts an escape:\n"
    ";   \\\\ backslash   \\s blank   \\t tab   \\r carriage return   \\n line feed\n"
    ";   \\xHH    the character U+00HH (other control characters, U+0085)\n"
    ";   \\uHHHH  the UTF-16 unit HHHH (a lone surrogate, U+2028, U+2029)\n"
    "; A blank is written \\s only at the start or end of a text. In a key, \"=\"\n"
    "; is written \\x3D, and a leading \"[\", \";\" or \"#\" as \\x5B, \\x3B, \\x23.\n"
    "; A backslash before any other character stands for itself.\n";

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendHex(std::string& out, unsigned value, int digits) {
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out.push_back(kHex[(value >> shift) & 0xF]);
}

std::string Escape(VbStringView text, bool isKey) {
  std::size_t leading = text.find_first_not_of(kBlank);
  if (leading == VbStringView::npos) leading = text.size();
  std::size_t trailing = text.find_last_not_of(kBlank) + 1;  // npos + 1 == 0
  std::string out;
  out.reserve(text.size() + 8);
  std::size_t runStart = 0;  // characters that need no escape are converted in runs
  auto flush = [&](std::size_t end) {
    if (end > runStart) out += VbToUtf8(text.substr(runStart, end - runStart));
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    const char* escape = nullptr;
    std::optional<unsigned> code;
    if (c == u'\\') {
      escape = "\\\\";
    } else if (c == u'\r') {
      escape = "\\r";
    } else if (c == u'\n') {
      escape = "\\n";
    } else if (c == u'\t') {
      escape = "\\t";
    } else if (c == kBlank && (i < leading || i >= trailing)) {
      escape = "\\s";
    } else if (c < 0x20 || c == 0x7F || c == 0x85 || c == 0x2028 || c == 0x2029) {
      code = c;
    } else if (isKey && (c == u'=' || (i == 0 && (c == u'[' || c == u';' || c == u'#')))) {
      code = c;
    } else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;  // a pair: UTF-8 holds it
      continue;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      code = c;
    } else {
      continue;
    }
    flush(i);
    runStart = i + 1;
    if (escape) {
      out += escape;
    } else if (*code < 0x100) {
      out += "\\x";
      AppendHex(out, *code, 2);
    } else {
      out += "\\u";
      AppendHex(out, *code, 4);
    }
  }
  flush(text.size());
  return out;
}

std::optional<unsigned> ReadHex(std::string_view text, std::size_t at, std::size_t digits) {
  if (at + digits > text.size()) return std::nullopt;
  unsigned value = 0;
  for (std::size_t i = at; i < at + digits; ++i) {
    char c = text[i];
    int digit = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                         : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return value;
}

}  // namespace

std::string EscapeValue(VbStringView value) { return Escape(value, false); }

std::string EscapeKey(VbStringView key) { return Escape(key, true); }

VbString Unescape(std::string_view text) {
  VbString out;
  out.reserve(text.size());
  std::size_t runStart = 0;
  std::size_t i = 0;
  while ((i = text.find('\\', i)) != std::string_view::npos) {
    out += U(text.substr(runStart, i - runStart));
    char next = i + 1 < text.size() ? text[i + 1] : '\0';
    std::optional<unsigned> code;
    std::size_t length = 2;
    switch (next) {
      case '\\':
        code = u'\\';
        break;
      case 's':
        code = kBlank;
        break;
      case 't':
        code = u'\t';
        break;
      case 'r':
        code = u'\r';
        break;
      case 'n':
        code = u'\n';
        break;
      case 'x':
        code = ReadHex(text, i + 2, 2), length = 4;
        break;
      case 'u':
        code = ReadHex(text, i + 2, 4), length = 6;
        break;
      default:
        break;
    }
    if (code) {
      out.push_back(static_cast<char16_t>(*code));
      i += length;
    } else {
      out.push_back(u'\\');  // not an escape: the backslash stands for itself
      i += 1;
    }
    runStart = i;
  }
  out += U(text.substr(runStart));
  return out;
}

}  // namespace kv::settings
