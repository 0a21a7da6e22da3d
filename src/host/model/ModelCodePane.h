// A code pane of the in-memory IDE: a window showing one code module, with a
// selection.
//
// The selection is four numbers counted from 1: start line, start column, end
// line, end column (the end column is the one after the last selected
// character). Edits of the module through the object model leave it where it
// is. The pane's window answers Ctrl+A (select the whole module) and Delete
// (remove the selected text, or the character after the caret).
#pragma once

#include <cstdint>
#include <memory>

#include "host/VBIDE.h"
#include "host/model/ModelWindow.h"
#include "support/modGlobals.h"

namespace kv::model {

class Faults;
class ModelCodeModule;
class ModelComponent;

// Where a new pane, and a pane whose module was emptied, puts the caret.
inline constexpr Selection kCaretAtTop{1, 1, 1, 1};

class ModelCodePane final : public vbide::CodePane {
 public:
  ModelCodePane(ModelComponent& component, platform::Platform& platform, Faults& faults, VbString caption);

  ModelComponent& Component() { return component_; }
  ModelCodeModule& Module();
  ModelWindow& PaneWindow() { return *window_; }
  const Selection& Selected() const { return selection_; }
  // Sets the selection without the object model's checks, as the user does
  // with the mouse.
  void Select(Selection selection) { selection_ = selection; }

  // ---- vbide::CodePane ----
  void GetSelection(std::int32_t& startLine, std::int32_t& startColumn, std::int32_t& endLine,
                    std::int32_t& endColumn) override;
  // Throws for a line or column below 1 or a line past max(1, CountOfLines).
  void SetSelection(std::int32_t startLine, std::int32_t startColumn, std::int32_t endLine,
                    std::int32_t endColumn) override;
  vbide::CodeModule& CodeModule() override;
  vbide::Window& Window() override;
  void Show() override;

 private:
  void SelectAll();
  void DeleteSelection();

  ModelComponent& component_;
  Faults& faults_;
  std::unique_ptr<ModelWindow> window_;
  Selection selection_ = kCaretAtTop;
};

}  // namespace kv::model
