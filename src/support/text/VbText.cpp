// VB string functions over UTF-16 text.
#include "support/text/VbText.h"

#include <algorithm>
#include <cstring>

namespace kv {

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AppendUtf16(VbString& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

template <class Eq>
std::size_t Find(VbStringView text, VbStringView what, std::size_t start, Eq eq) {
  if (start < 1) start = 1;
  if (what.empty()) return start <= text.size() + 1 ? start : 0;
  if (text.size() < what.size()) return 0;
  for (std::size_t i = start - 1; i + what.size() <= text.size(); ++i) {
    if (eq(text.substr(i, what.size()), what)) return i + 1;
  }
  return 0;
}

template <class FindFn>
VbString Replace(VbStringView text, VbStringView what, VbStringView with, FindFn find) {
  if (what.empty()) return VbString(text);
  VbString out;
  out.reserve(text.size());
  std::size_t from = 1;
  while (std::size_t at = find(text, what, from)) {
    out.append(text.substr(from - 1, at - from));
    out.append(with);
    from = at + what.size();
  }
  out.append(text.substr(from - 1));
  return out;
}

}  // namespace

VbString U(std::string_view s) {
  VbString out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    auto b0 = static_cast<unsigned char>(s[i]);
    int len = b0 < 0x80 ? 1 : (b0 >> 5) == 6 ? 2 : (b0 >> 4) == 14 ? 3 : (b0 >> 3) == 30 ? 4 : 0;
    char32_t cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
    bool ok = len > 0 && i + len <= s.size();
    for (int k = 1; ok && k < len; ++k) {
      auto b = static_cast<unsigned char>(s[i + k]);
      if ((b >> 6) != 2) ok = false;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (ok) {
      const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
      ok = cp >= minimum[len] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    }
    if (!ok) {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    AppendUtf16(out, cp);
    i += len;
  }
  return out;
}

std::string VbToUtf8(VbStringView text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

VbStringView LTrimView(VbStringView text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == kBlank) ++i;
  return text.substr(i);
}

VbStringView RTrimView(VbStringView text) {
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == kBlank) --n;
  return text.substr(0, n);
}

VbStringView TrimView(VbStringView text) { return RTrimView(LTrimView(text)); }

VbString LCase(VbStringView text) {
  VbString out(text);
  for (auto& c : out) c = AsciiLower(c);
  return out;
}

VbString UCase(VbStringView text) {
  VbString out(text);
  for (auto& c : out) c = AsciiUpper(c);
  return out;
}

bool EqualsNoCase(VbStringView a, VbStringView b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(VbStringView text, VbStringView prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(VbStringView text, VbStringView suffix) {
  return text.size() >= suffix.size() && EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::size_t InStr(VbStringView text, VbStringView what, std::size_t start) {
  if (start < 1) start = 1;
  if (start > text.size() + 1) return 0;
  if (what.empty()) return start;
  auto at = text.find(what, start - 1);
  return at == VbStringView::npos ? 0 : at + 1;
}

std::size_t InStrNoCase(VbStringView text, VbStringView what, std::size_t start) {
  return Find(text, what, start, [](VbStringView a, VbStringView b) { return EqualsNoCase(a, b); });
}

VbString ReplaceAll(VbStringView text, VbStringView what, VbStringView with) {
  return Replace(text, what, with, [](VbStringView t, VbStringView w, std::size_t s) { return InStr(t, w, s); });
}

VbString ReplaceAllNoCase(VbStringView text, VbStringView what, VbStringView with) {
  return Replace(text, what, with, [](VbStringView t, VbStringView w, std::size_t s) { return InStrNoCase(t, w, s); });
}

std::size_t FindUnit(VbStringView text, char16_t unit, std::size_t from) {
  // Four units at a time: a word without the unit is passed over whole. A
  // lane equal to the unit is zero after the xor, and the subtraction sets
  // its top bit (a lane above it may look set too: each is checked below).
  constexpr std::uint64_t kOnes = 0x0001000100010001ull;
  constexpr std::uint64_t kTops = 0x8000800080008000ull;
  const std::uint64_t pattern = kOnes * unit;
  const char16_t* p = text.data();
  const std::size_t n = text.size();
  std::size_t i = from;
  for (; i + 4 <= n; i += 4) {
    std::uint64_t word;
    std::memcpy(&word, p + i, sizeof word);
    const std::uint64_t x = word ^ pattern;
    if (((x - kOnes) & ~x & kTops) == 0) continue;
    for (std::size_t end = i + 4; i < end; ++i) {
      if (p[i] == unit) return i;
    }
  }
  for (; i < n; ++i) {
    if (p[i] == unit) return i;
  }
  return VbStringView::npos;
}

std::size_t FindCrLf(VbStringView text, std::size_t from) {
  for (std::size_t at = FindUnit(text, u'\r', from); at != VbStringView::npos; at = FindUnit(text, u'\r', at + 1)) {
    if (at + 1 < text.size() && text[at + 1] == u'\n') return at;
  }
  return VbStringView::npos;
}

std::vector<VbStringView> SplitCrLf(VbStringView text) {
  std::vector<VbStringView> pieces;
  if (text.empty()) return pieces;
  // Growing the list as pieces come costs less than a second scan to count
  // them first.
  std::size_t from = 0;
  for (;;) {
    auto at = FindCrLf(text, from);
    if (at == VbStringView::npos) {
      pieces.push_back(text.substr(from));
      return pieces;
    }
    pieces.push_back(text.substr(from, at - from));
    from = at + 2;
  }
}

std::size_t CountCrLfPieces(VbStringView text) {
  if (text.empty()) return 0;
  std::size_t n = 1;
  for (std::size_t at = FindCrLf(text); at != VbStringView::npos; at = FindCrLf(text, at + 2)) ++n;
  return n;
}

namespace {
template <class Pieces>
VbString Join(const Pieces& pieces) {
  std::size_t size = 0;
  for (const auto& p : pieces) size += p.size() + 2;
  VbString out;
  out.reserve(size);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i) out.append(kCrLf);
    out.append(pieces[i]);
  }
  return out;
}
}  // namespace

VbString JoinCrLf(const std::vector<VbStringView>& pieces) { return Join(pieces); }
VbString JoinCrLf(const std::vector<VbString>& pieces) { return Join(pieces); }

VbString ToVb(std::int64_t number) {
  auto s = std::to_string(number);
  return VbString(s.begin(), s.end());
}

}  // namespace kv
