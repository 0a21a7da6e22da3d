// The code module's edits, reads and procedure questions.
#include "host/model/ModelCodeModule.h"

#include <algorithm>
#include <iterator>

#include "host/model/Faults.h"
#include "host/model/LineRules.h"
#include "host/model/ModelComponent.h"
#include "host/model/ModelProject.h"
#include "host/model/ModelVBE.h"
#include "host/model/ModelErrors.h"

namespace kv::model {

ModelCodeModule::ModelCodeModule(ModelComponent& component, Faults& faults) : component_(component), faults_(faults) {}

void ModelCodeModule::LoadLines(const std::vector<VbString>& lines) {
  lines_.Assign(lines);
  Changed();
}

void ModelCodeModule::LoadLines(const std::vector<VbStringView>& lines) {
  lines_.Assign(lines);
  Changed();
}

void ModelCodeModule::LoadText(VbStringView text) { LoadLines(SplitModuleText(text)); }

void ModelCodeModule::Release() {
  lines_.Clear();
  index_ = ProcedureIndex();
  Changed();
}

VbString ModelCodeModule::Text() const { return JoinCrLf(std::vector<VbStringView>(lines_.begin(), lines_.end())); }

const ProcedureIndex& ModelCodeModule::Index() {
  if (indexStale_) {
    index_ = ProcedureIndex::Scan(lines_);
    indexStale_ = false;
  }
  return index_;
}

void ModelCodeModule::EraseText(std::int32_t startLine, std::int32_t startColumn, std::int32_t endLine,
                                std::int32_t endColumn) {
  if (lines_.empty()) return;
  auto clampLine = [&](std::int32_t l) { return std::clamp(l, 1, Count()); };
  startLine = clampLine(startLine);
  endLine = clampLine(endLine);
  if (std::pair(endLine, endColumn) < std::pair(startLine, startColumn)) {
    std::swap(startLine, endLine);
    std::swap(startColumn, endColumn);
  }
  auto offset = [&](std::int32_t line, std::int32_t column) {
    VbStringView text = lines_[line - 1];
    return std::min<std::size_t>(static_cast<std::size_t>(std::max(column, 1) - 1), text.size());
  };
  std::size_t from = offset(startLine, startColumn);
  std::size_t to = offset(endLine, endColumn);
  bool everything = startLine == 1 && from == 0 && endLine == Count() && to == lines_.back().size();
  if (everything) {
    lines_.Erase(0, lines_.size());
  } else {
    VbString joined = VbString(lines_[startLine - 1].substr(0, from)).append(lines_[endLine - 1].substr(to));
    lines_.Replace(static_cast<std::size_t>(startLine - 1), joined);
    lines_.Erase(static_cast<std::size_t>(startLine), static_cast<std::size_t>(endLine));
  }
  Changed();
}

vbide::CodePane& ModelCodeModule::CodePane() {
  faults_.Check("CodeModule.CodePane");
  return component_.Project().Vbe().OpenCodePane(component_);
}

vbide::VBComponent& ModelCodeModule::Parent() {
  faults_.Check("CodeModule.Parent");
  return component_;
}

std::int32_t ModelCodeModule::CountOfLines() {
  faults_.Check("CodeModule.CountOfLines");
  return Count();
}

std::int32_t ModelCodeModule::CountOfDeclarationLines() {
  faults_.Check("CodeModule.CountOfDeclarationLines");
  return Index().DeclarationLines();
}

VbString ModelCodeModule::Lines(std::int32_t startLine, std::int32_t count) {
  faults_.Check("CodeModule.Lines");
  if (startLine < 1 || count < 0) RaiseInvalidCall();
  if (startLine > Count() || count == 0) return {};
  if (count == 1) return VbString(lines_[startLine - 1]);
  auto first = lines_.begin() + (startLine - 1);
  auto last = lines_.begin() + (startLine - 1) + std::min(count, Count() - startLine + 1);
  std::size_t size = 0;
  for (auto it = first; it != last; ++it) size += (*it).size() + 2;
  VbString out;
  out.reserve(size);
  for (auto it = first; it != last; ++it) {
    if (it != first) out.append(kCrLf);
    out.append(*it);
  }
  return out;
}

void ModelCodeModule::ReplaceLine(std::int32_t line, VbStringView text) {
  faults_.Check("CodeModule.ReplaceLine");
  if (line < 1 || line > Count()) RaiseInvalidCall();
  if (FindCrLf(text) == VbStringView::npos) {
    // The hot path of the indentation routine: no split, no allocation.
    VbStringView previous = line > 1 ? lines_[line - 2] : VbStringView();
    lines_.Replace(static_cast<std::size_t>(line - 1), AtMargin(text, line > 1 ? &previous : nullptr));
  } else {
    lines_.Erase(static_cast<std::size_t>(line - 1), static_cast<std::size_t>(line));
    InsertText(static_cast<std::size_t>(line - 1), text);
  }
  Changed();
}

void ModelCodeModule::InsertLines(std::int32_t line, VbStringView text) {
  faults_.Check("CodeModule.InsertLines");
  if (line < 1 || line > Count() + 1) RaiseInvalidCall();
  InsertText(static_cast<std::size_t>(line - 1), text);
  Changed();
}

void ModelCodeModule::DeleteLines(std::int32_t startLine, std::int32_t count) {
  faults_.Check("CodeModule.DeleteLines");
  if (startLine < 1 || count < 0 || startLine > Count() + 1 || count > Count() - startLine + 1) RaiseInvalidCall();
  if (count == 0) return;
  lines_.Erase(static_cast<std::size_t>(startLine - 1), static_cast<std::size_t>(startLine - 1 + count));
  Changed();
}

void ModelCodeModule::AddFromString(VbStringView text) {
  faults_.Check("CodeModule.AddFromString");
  // The IDE adds the text after the declarations, before the first procedure
  // (at the end when there is none).
  InsertText(static_cast<std::size_t>(Index().DeclarationLines()), text);
  Changed();
}

VbString ModelCodeModule::ProcOfLine(std::int32_t line, vbide::ProcKind& kind) {
  faults_.Check("CodeModule.ProcOfLine");
  if (line < 1 || line > Count()) RaiseInvalidCall();
  const Procedure* owner = Index().Owner(line);
  kind = owner ? owner->kind : vbide::ProcKind::Proc;
  return owner ? owner->name : VbString();
}

std::int32_t ModelCodeModule::ProcStartLine(VbStringView name, vbide::ProcKind kind) {
  faults_.Check("CodeModule.ProcStartLine");
  return Existing(name, kind).first;
}

std::int32_t ModelCodeModule::ProcCountLines(VbStringView name, vbide::ProcKind kind) {
  faults_.Check("CodeModule.ProcCountLines");
  const Procedure& p = Existing(name, kind);
  return p.last - p.first + 1;
}

void ModelCodeModule::InsertText(std::size_t at, VbStringView text) {
  std::vector<VbStringView> pieces = SplitModuleText(text);
  if (pieces.empty()) return;
  // AtMargin only shortens a line: the stored lines are views into `text`.
  VbStringView previous = at > 0 ? lines_[at - 1] : VbStringView();
  bool first = true;
  for (VbStringView& piece : pieces) {
    piece = AtMargin(piece, at > 0 || !first ? &previous : nullptr);
    previous = piece;
    first = false;
  }
  lines_.Insert(at, pieces);
}

const Procedure& ModelCodeModule::Existing(VbStringView name, vbide::ProcKind kind) {
  const Procedure* p = Index().Find(name, kind);
  if (!p) RaiseSubNotDefined();
  return *p;
}

}  // namespace kv::model
