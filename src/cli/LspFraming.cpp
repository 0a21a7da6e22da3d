// Content-Length framing.
#include "cli/LspFraming.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <ostream>

namespace kv::cli::lsp {

namespace {

constexpr std::string_view kLengthName = "content-length:";

// Where the Content-Length name starts in the line (any letter case).
std::size_t FindLengthName(std::string_view line) {
  auto it = std::search(line.begin(), line.end(), kLengthName.begin(), kLengthName.end(),
                        [](char a, char b) { return (a >= 'A' && a <= 'Z' ? char(a + 32) : a) == b; });
  return it == line.end() ? std::string_view::npos : std::size_t(it - line.begin());
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

Incoming ReadMessage(std::istream& in) {
  Incoming result;
  std::string line;
  bool sawHeader = false;
  bool lengthFound = false;
  std::size_t length = 0;
  while (true) {
    if (!std::getline(in, line)) return {};
    std::string_view text = line;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (text.empty()) {
      if (!sawHeader) continue;  // stray blank lines between messages
      break;
    }
    sawHeader = true;
    std::size_t at = FindLengthName(text);
    if (at == std::string_view::npos) continue;  // another header, or debris
    std::string_view value = Trim(text.substr(at + kLengthName.size()));
    std::size_t n = 0;
    auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || value.empty() || n > kMaxBody) {
      result.problem = "invalid Content-Length '" + std::string(value) + "'";
      lengthFound = false;
      continue;
    }
    length = n;
    lengthFound = true;
    result.problem.clear();
  }
  if (!lengthFound) {
    result.kind = Incoming::Kind::BadHeader;
    if (result.problem.empty()) result.problem = "a header without Content-Length";
    return result;
  }
  result.body.resize(length);
  if (!in.read(result.body.data(), std::streamsize(length))) return {};
  result.kind = Incoming::Kind::Message;
  return result;
}

void WriteMessage(std::ostream& out, const nlohmann::json& message) {
  std::string body = message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
}

}  // namespace kv::cli::lsp
