// Lines, UTF-16 positions and line edits.
#include "cli/LspText.h"

#include <algorithm>

namespace kv::cli::lsp {

namespace {

// A line with its end, as cut from a text.
struct Segment {
  std::string_view text;  // without the end
  std::string_view end;   // "", "\n", "\r\n" or "\r"
  bool operator==(const Segment&) const = default;
};

std::vector<Segment> SegmentsOf(std::string_view text) {
  std::vector<Segment> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    std::size_t endLength = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
    out.push_back({text.substr(start, i - start), text.substr(i, endLength)});
    i += endLength - 1;
    start = i + 1;
  }
  if (start < text.size()) out.push_back({text.substr(start), {}});
  return out;
}

// The position just after segment `index`, with its end.
std::pair<std::size_t, std::size_t> EndOf(const std::vector<Segment>& s, std::size_t index) {
  if (s[index].end.empty()) return {index, Utf16Length(s[index].text)};
  return {index + 1, 0};
}

// Line i of `a` made into line i of `b`: only its text when the line ends
// agree, else the line with its end.
TextEdit PairEdit(const std::vector<Segment>& a, const std::vector<Segment>& b, std::size_t i) {
  if (a[i].end == b[i].end) return {i, 0, i, Utf16Length(a[i].text), std::string(b[i].text)};
  auto [line, character] = EndOf(a, i);
  return {i, 0, line, character, std::string(b[i].text) + std::string(b[i].end)};
}

}  // namespace

nlohmann::json ToJson(const TextEdit& e) {
  return {{"range",
           {{"start", {{"line", e.startLine}, {"character", e.startCharacter}}},
            {"end", {{"line", e.endLine}, {"character", e.endCharacter}}}}},
          {"newText", e.newText}};
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++n;  // a character starts here
    if (c >= 0xF0) ++n;           // beyond the basic plane: a surrogate pair
  }
  return n;
}

std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  for (const Segment& s : SegmentsOf(text)) lines.push_back(s.text);
  return lines;
}

std::vector<TextEdit> LineEdits(std::string_view before, std::string_view after) {
  std::vector<Segment> a = SegmentsOf(before), b = SegmentsOf(after);
  std::vector<TextEdit> edits;
  // The unchanged lines at both ends stay; the lines between are paired in
  // order, and what one side has more is removed or added after them.
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  std::size_t ma = a.size() - head - tail, mb = b.size() - head - tail, paired = std::min(ma, mb);
  for (std::size_t i = head; i < head + paired; ++i) {
    if (!(a[i] == b[i])) edits.push_back(PairEdit(a, b, i));
  }
  if (ma > mb) {
    auto [line, character] = EndOf(a, head + ma - 1);
    edits.push_back({head + paired, 0, line, character, {}});
  } else if (mb > ma) {
    std::pair<std::size_t, std::size_t> at{0, 0};
    if (ma > 0) at = EndOf(a, head + ma - 1);
    else if (head < a.size()) at = {head, 0};
    else if (head > 0) at = EndOf(a, head - 1);
    TextEdit e{at.first, at.second, at.first, at.second, {}};
    for (std::size_t i = head + paired; i < head + mb; ++i) e.newText += std::string(b[i].text) + std::string(b[i].end);
    edits.push_back(std::move(e));
  }
  return edits;
}

std::optional<std::string> PathOfUri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.substr(0, kScheme.size()) != kScheme) return std::nullopt;
  uri.remove_prefix(kScheme.size());
  if (std::size_t slash = uri.find('/'); slash != 0) {
    if (slash == std::string_view::npos || uri.substr(0, slash) != "localhost") return std::nullopt;
    uri.remove_prefix(slash);
  }
  std::string path;
  auto hex = [](char c) { return c >= '0' && c <= '9' ? c - '0' : (c | 32) >= 'a' && (c | 32) <= 'f' ? (c | 32) - 'a' + 10 : -1; };
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && hex(uri[i + 1]) >= 0 && hex(uri[i + 2]) >= 0) {
      path += char(hex(uri[i + 1]) * 16 + hex(uri[i + 2]));
      i += 2;
    } else {
      path += uri[i];
    }
  }
#ifdef _WIN32
  // file:///C:/folder/file.bas names C:/folder/file.bas.
  if (path.size() >= 3 && path[0] == '/' && path[2] == ':') path.erase(0, 1);
#endif
  return path;
}

}  // namespace kv::cli::lsp
