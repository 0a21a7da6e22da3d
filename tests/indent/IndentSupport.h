// Helpers of the indentation tests: a code module that records what the
// routine writes, options written to the store from a short text, and the
// column notation of the expected lines.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Harness.h"
#include "host/VBIDE.h"
#include "indent/modIndentRoutine.h"

namespace kv::test {

// A code module of plain lines that keeps every text the routine writes, as
// written (the model IDE moves labels to the margin; this one does not).
class RecordingModule final : public vbide::CodeModule {
 public:
  explicit RecordingModule(std::vector<VbString> lines) : lines_(std::move(lines)) {}

  std::vector<VbString> lines_;
  std::vector<std::int32_t> replaced_;  // line numbers, in the order written
  std::int32_t unreadable_ = 0;         // a line whose reading is refused
  std::int32_t unwritable_ = 0;         // a line whose replacement is refused

  vbide::VBComponent& Parent() override { Raise(vberr::kObjectDoesNotSupport, u"no parent"); }
  std::int32_t CountOfLines() override { return static_cast<std::int32_t>(lines_.size()); }
  std::int32_t CountOfDeclarationLines() override { return 0; }
  VbString Lines(std::int32_t start, std::int32_t count) override {
    if (count != 1 || start < 1 || start > CountOfLines()) Raise(vberr::kInvalidProcedureCall, u"bad range");
    if (start == unreadable_) Raise(vberr::kMethodFailed, u"refused");
    return lines_[start - 1];
  }
  void ReplaceLine(std::int32_t line, VbStringView text) override {
    if (line == unwritable_) Raise(vberr::kMethodFailed, u"refused");
    lines_.at(line - 1) = VbString(text);
    replaced_.push_back(line);
  }
  void InsertLines(std::int32_t, VbStringView) override { Raise(vberr::kMethodFailed, u"unused"); }
  void DeleteLines(std::int32_t, std::int32_t) override { Raise(vberr::kMethodFailed, u"unused"); }
  void AddFromString(VbStringView) override { Raise(vberr::kMethodFailed, u"unused"); }
  VbString ProcOfLine(std::int32_t, vbide::ProcKind&) override { Raise(vberr::kMethodFailed, u"unused"); }
  std::int32_t ProcStartLine(VbStringView, vbide::ProcKind) override { Raise(vberr::kMethodFailed, u"unused"); }
  std::int32_t ProcCountLines(VbStringView, vbide::ProcKind) override { Raise(vberr::kMethodFailed, u"unused"); }
  vbide::CodePane& CodePane() override { Raise(vberr::kMethodFailed, u"unused"); }
};

// Writes options given as "IndentSpaces=2 IndentFirst=N ..." to the store.
inline void WriteOptions(SettingsStore& settings, std::string_view options) {
  std::istringstream in{std::string(options)};
  std::string item;
  while (in >> item) {
    auto eq = item.find('=');
    settings.WriteSetting(U(item.substr(0, eq)), U(item.substr(eq + 1)));
  }
}

// Expected lines may say "@N" for blanks up to column N: "x = 1@55' one" puts
// the apostrophe in column 55.
inline std::string Columns(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '@' && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
      std::size_t column = 0;
      while (i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
        column = column * 10 + static_cast<std::size_t>(text[++i] - '0');
      }
      // Columns count UTF-16 units; the tests' code before a column is ASCII.
      EXPECT_LT(out.size(), column) << "column " << column << " is already passed in: " << text;
      if (out.size() < column - 1) out.append(column - 1 - out.size(), ' ');
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

inline std::vector<VbString> VbLines(const std::vector<std::string>& lines) {
  std::vector<VbString> out;
  for (const auto& l : lines) out.push_back(U(l));
  return out;
}

inline std::vector<std::string> Utf8Lines(const std::vector<VbString>& lines) {
  std::vector<std::string> out;
  for (const auto& l : lines) out.push_back(VbToUtf8(l));
  return out;
}

// The texts the routine writes for `input`, one run over all lines, with the
// options given.
inline std::vector<std::string> RoutineOutput(const std::vector<std::string>& input, std::string_view options) {
  Harness h;
  WriteOptions(h.settings, options);
  RecordingModule module(VbLines(input));
  s_IndentLines(h.g, module, u"Test", 1, module.CountOfLines(), 0);
  return Utf8Lines(module.lines_);
}

}  // namespace kv::test
