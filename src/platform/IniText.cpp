// Line-preserving INI text: classification of lines and edits of one entry.
#include "platform/IniText.h"

#include <algorithm>

namespace kv::platform {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view TrimBlanksAndTabs(std::string_view text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

IniLine Classify(std::string text, std::string end) {
  IniLine line;
  std::string_view body = TrimBlanksAndTabs(text);
  if (body.empty()) {
    line.kind = IniLine::Kind::Blank;
  } else if (body[0] == ';' || body[0] == '#') {
    line.kind = IniLine::Kind::Comment;
  } else if (body[0] == '[') {
    std::size_t close = body.find(']');
    line.kind = close == std::string_view::npos ? IniLine::Kind::Malformed : IniLine::Kind::Section;
    if (close != std::string_view::npos) line.name = TrimBlanksAndTabs(body.substr(1, close - 1));
  } else if (std::size_t equals = body.find('='); equals != std::string_view::npos && equals > 0) {
    line.kind = IniLine::Kind::Entry;
    line.name = TrimBlanksAndTabs(body.substr(0, equals));
    line.value = TrimBlanksAndTabs(body.substr(equals + 1));
  } else {
    line.kind = IniLine::Kind::Malformed;
  }
  line.text = std::move(text);
  line.end = std::move(end);
  return line;
}

}  // namespace

bool IniNamesEqual(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

IniText::IniText(std::string_view content, std::string_view newLineEnd) : lineEnd_(newLineEnd) {
  if (content.starts_with(kByteOrderMark)) {
    byteOrderMark_ = kByteOrderMark;
    content.remove_prefix(kByteOrderMark.size());
  }
  if (std::size_t lf = content.find('\n'); lf != std::string_view::npos)
    lineEnd_ = (lf > 0 && content[lf - 1] == '\r') ? "\r\n" : "\n";
  while (!content.empty()) {
    std::size_t lf = content.find('\n');
    std::size_t textEnd = lf == std::string_view::npos ? content.size() : lf;
    std::size_t lineEnd = lf == std::string_view::npos ? content.size() : lf + 1;
    if (lf != std::string_view::npos && textEnd > 0 && content[textEnd - 1] == '\r') --textEnd;
    lines_.push_back(
        Classify(std::string(content.substr(0, textEnd)), std::string(content.substr(textEnd, lineEnd - textEnd))));
    content.remove_prefix(lineEnd);
  }
}

std::size_t IniText::FirstMalformed() const {
  auto it = std::ranges::find(lines_, IniLine::Kind::Malformed, &IniLine::kind);
  return it == lines_.end() ? npos : static_cast<std::size_t>(it - lines_.begin());
}

std::size_t IniText::FindSection(const NameMatch& match) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == IniLine::Kind::Section && match(lines_[i].name)) return i;
  }
  return npos;
}

std::size_t IniText::FindEntry(std::size_t header, const NameMatch& match) const {
  for (std::size_t i = header + 1; i < lines_.size() && lines_[i].kind != IniLine::Kind::Section; ++i) {
    if (lines_[i].kind == IniLine::Kind::Entry && match(lines_[i].name)) return i;
  }
  return npos;
}

void IniText::SetValue(std::size_t line, std::string_view value) {
  IniLine& entry = lines_.at(line);
  std::size_t equals = entry.text.find('=');
  std::size_t valueStart = entry.text.find_first_not_of(" \t", equals + 1);
  // Keep "key = " as it was spelled; only the value itself changes.
  std::string prefix = entry.text.substr(0, valueStart == std::string::npos ? entry.text.size() : valueStart);
  if (value.empty()) prefix.resize(equals + 1);
  entry = Classify(prefix + std::string(value), entry.end);
}

void IniText::AddEntry(std::size_t header, std::string_view key, std::string_view value) {
  std::size_t at = header + 1;
  for (std::size_t i = header + 1; i < lines_.size() && lines_[i].kind != IniLine::Kind::Section; ++i) {
    if (lines_[i].kind != IniLine::Kind::Blank) at = i + 1;
  }
  Insert(at, std::string(key) + "=" + std::string(value));
}

void IniText::AddSection(std::string_view section, std::string_view key, std::string_view value) {
  Insert(lines_.size(), "[" + std::string(section) + "]");
  Insert(lines_.size(), std::string(key) + "=" + std::string(value));
}

void IniText::Insert(std::size_t at, std::string text) {
  // A last line without a line end gets one before anything follows it.
  if (at == lines_.size() && !lines_.empty() && lines_.back().end.empty()) lines_.back().end = lineEnd_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Classify(std::move(text), lineEnd_));
}

std::string IniText::ToString() const {
  std::string out = byteOrderMark_;
  for (const IniLine& line : lines_) {
    out += line.text;
    out += line.end;
  }
  return out;
}

}  // namespace kv::platform
