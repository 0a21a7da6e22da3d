// A code module of the in-memory IDE: a store of lines with the editor's
// rules, and the procedures the IDE sees in them.
//
// Text given to ReplaceLine, InsertLines and AddFromString is split into lines
// at CR LF (a final CR LF ends the last line) and each line is stored with
// its label or line number moved to the margin. Lines loaded with LoadLines
// or LoadText, as the file layer and tests do, are stored as they are.
// Single-line reads and replacements cost O(1) plus the line's length; the
// procedure index is rebuilt on the first question after an edit.
#pragma once

#include <cstdint>
#include <vector>

#include "host/VBIDE.h"
#include "host/model/LineStore.h"
#include "host/model/ProcedureIndex.h"

namespace kv::model {

class Faults;
class ModelComponent;

class ModelCodeModule final : public vbide::CodeModule {
 public:
  ModelCodeModule(ModelComponent& component, Faults& faults);

  // ---- The model's own API: no faults, no editor rules ----
  // Replaces every line, as reading a file does.
  void LoadLines(const std::vector<VbString>& lines);
  void LoadLines(const std::vector<VbStringView>& lines);
  void LoadText(VbStringView text);
  // Drops every line and the memory they took, as closing the file does.
  void Release();
  const LineStore& AllLines() const { return lines_; }
  // Every line joined with CR LF.
  VbString Text() const;
  const ProcedureIndex& Index();
  // Counts every change of the text, so a caller can tell whether anything
  // was written since it looked.
  std::uint64_t Revision() const { return revision_; }
  // A keyboard edit: removes the text from (startLine, startColumn) up to,
  // not including, (endLine, endColumn); positions past a line's end stand
  // for its end. Removing all of the text leaves no line at all.
  void EraseText(std::int32_t startLine, std::int32_t startColumn, std::int32_t endLine, std::int32_t endColumn);

  // ---- vbide::CodeModule ----
  vbide::VBComponent& Parent() override;
  std::int32_t CountOfLines() override;
  std::int32_t CountOfDeclarationLines() override;
  VbString Lines(std::int32_t startLine, std::int32_t count) override;
  void ReplaceLine(std::int32_t line, VbStringView text) override;
  void InsertLines(std::int32_t line, VbStringView text) override;
  void DeleteLines(std::int32_t startLine, std::int32_t count) override;
  void AddFromString(VbStringView text) override;
  VbString ProcOfLine(std::int32_t line, vbide::ProcKind& kind) override;
  std::int32_t ProcStartLine(VbStringView name, vbide::ProcKind kind) override;
  std::int32_t ProcCountLines(VbStringView name, vbide::ProcKind kind) override;
  vbide::CodePane& CodePane() override;

 private:
  std::int32_t Count() const { return static_cast<std::int32_t>(lines_.size()); }
  // Stores the lines of `text` from index `at` on, through the editor's rules.
  void InsertText(std::size_t at, VbStringView text);
  const Procedure& Existing(VbStringView name, vbide::ProcKind kind);
  void Changed() {
    indexStale_ = true;
    ++revision_;
  }

  ModelComponent& component_;
  Faults& faults_;
  LineStore lines_;
  ProcedureIndex index_;
  bool indexStale_ = true;
  std::uint64_t revision_ = 0;
};

}  // namespace kv::model
