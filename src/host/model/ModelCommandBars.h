// The command bars of the in-memory IDE: bars, their controls (buttons and
// pop-ups, a pop-up holding a bar of its own), the search FindControl and
// Controls.Add.
//
// Controls are shared objects: the add-in keeps them after the IDE may have
// deleted them, and every call on a deleted control throws. Deleting a pop-up
// deletes everything inside it. A deleted control still knows its data, so
// the click routing can read the tag it had.
//
// FindControl filters by each argument given: type, Id, tag (exact text), and
// visible = true for visible controls only (visible = false does not filter,
// as in the IDE). The search goes through a bar in order and, when it is
// recursive (always for CommandBars.FindControl), into each pop-up right
// after the pop-up itself.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "host/VBIDE.h"

namespace kv::model {

class Faults;
class ModelCommandBar;

// Everything a control knows about itself.
struct ControlData {
  vbide::ControlType type = vbide::ControlType::Button;
  std::int32_t id = 1;  // 1: a custom control
  VbString caption;
  VbString parameter;
  VbString tag;
  bool beginGroup = false;
  bool visible = true;
  bool temporary = false;
  std::int32_t faceId = 0;
  // 0: automatic, the style of a new button.
  vbide::ButtonStyle style = static_cast<vbide::ButtonStyle>(0);
};

class ModelControl final : public vbide::CommandBarControl, public std::enable_shared_from_this<ModelControl> {
 public:
  ModelControl(ControlData data, ModelCommandBar& parent, std::shared_ptr<Faults> faults);
  ~ModelControl() override;

  // ---- The model's own API: no faults, and usable after deletion ----
  const ControlData& Data() const { return data_; }
  bool Deleted() const { return deleted_; }
  void SetVisible(bool visible) { data_.visible = visible; }
  // The bar a pop-up holds; nullptr for a button.
  ModelCommandBar* PopupBar() { return popup_.get(); }
  ModelCommandBar& ParentBar() { return *parent_; }

  // ---- vbide::CommandBarControl ----
  vbide::ControlType Type() override;
  std::int32_t Id() override;
  std::int32_t Index() override;
  VbString Caption() override;
  void SetCaption(VbStringView caption) override;
  VbString Parameter() override;
  void SetParameter(VbStringView parameter) override;
  VbString Tag() override;
  void SetTag(VbStringView tag) override;
  bool BeginGroup() override;
  void SetBeginGroup(bool beginGroup) override;
  bool Visible() override;
  std::int32_t FaceId() override;
  void SetFaceId(std::int32_t faceId) override;
  vbide::ButtonStyle Style() override;
  void SetStyle(vbide::ButtonStyle style) override;
  void Delete() override;
  vbide::CommandBar& CommandBar() override;

 private:
  friend class ModelCommandBar;
  // Every operation starts here: a deleted control refuses everything.
  void Enter(std::string_view operation);
  void EnterButtonOnly(std::string_view operation);
  void MarkDeleted();

  ControlData data_;
  ModelCommandBar* parent_;
  std::shared_ptr<Faults> faults_;
  std::unique_ptr<ModelCommandBar> popup_;
  bool deleted_ = false;
};

using ModelControlPtr = std::shared_ptr<ModelControl>;

class ModelCommandBar final : public vbide::CommandBar {
 public:
  // `owner`: the pop-up that holds this bar, or nullptr for a top-level bar.
  ModelCommandBar(VbString name, std::shared_ptr<Faults> faults, ModelControl* owner = nullptr);
  // Outstanding references to the bar's controls see them as deleted.
  ~ModelCommandBar() override;
  ModelCommandBar(const ModelCommandBar&) = delete;
  ModelCommandBar& operator=(const ModelCommandBar&) = delete;

  // ---- The model's own API: no faults ----
  // The bar's name; a pop-up's bar is named by the pop-up's caption.
  VbString NameText() const;
  const std::vector<ModelControlPtr>& Items() const { return controls_; }
  // Inserts a control before the 1-based position `before` (at the end when
  // absent); returns it. A pop-up gets a bar of its own.
  ModelControlPtr Insert(ControlData data, std::optional<std::int32_t> before = std::nullopt);
  ModelControlPtr Find(const vbide::FindControlArgs& args, bool recursive) const;

  // ---- vbide::CommandBar ----
  VbString Name() override;
  vbide::CommandBarControls& Controls() override;
  vbide::ControlPtr FindControl(const vbide::FindControlArgs& args) override;

 private:
  friend class ModelControl;
  class ControlList final : public vbide::CommandBarControls {
   public:
    explicit ControlList(ModelCommandBar& bar) : bar_(bar) {}
    std::int32_t Count() override;
    vbide::ControlPtr Item(std::int32_t index) override;
    vbide::ControlPtr Add(const vbide::AddControlArgs& args) override;

   private:
    ModelCommandBar& bar_;
  };
  void Remove(const ModelControl& control);

  VbString name_;
  std::shared_ptr<Faults> faults_;
  ModelControl* owner_;
  std::vector<ModelControlPtr> controls_;
  ControlList list_{*this};
};

// One control of a listing of every bar.
struct ControlListing {
  VbString bar;            // the top-level bar
  VbString path;           // the bar, then the captions of the pop-ups above, joined with " > "
  std::int32_t depth = 0;  // 0 directly in the bar, 1 inside a pop-up of it...
  std::int32_t position = 0;  // the control's Index in its bar
  ModelControlPtr control;
};

class ModelCommandBars final : public vbide::CommandBars {
 public:
  explicit ModelCommandBars(std::shared_ptr<Faults> faults);
  ~ModelCommandBars() override;

  // ---- The model's own API: no faults ----
  // Appends a bar (or inserts it before the 1-based position `before`).
  ModelCommandBar& AddBar(VbString name, std::optional<std::int32_t> before = std::nullopt);
  // The bar of that name (any letter case), or nullptr.
  ModelCommandBar* FindBar(VbStringView name);
  // Removes a bar; its controls count as deleted. False when there is none.
  bool RemoveBar(VbStringView name);
  const std::vector<std::unique_ptr<ModelCommandBar>>& Bars() const { return bars_; }
  // Every control of every bar, in order, each pop-up followed by its contents.
  std::vector<ControlListing> ListControls() const;
  // The first control (in the order of ListControls) whose Parameter is
  // exactly `parameter`, or nullptr.
  ModelControlPtr FindByParameter(VbStringView parameter) const;

  // ---- vbide::CommandBars ----
  std::int32_t Count() override;
  vbide::CommandBar& Item(VbStringView name) override;
  vbide::CommandBar& Item(std::int32_t index) override;
  vbide::ControlPtr FindControl(const vbide::FindControlArgs& args) override;

 private:
  std::shared_ptr<Faults> faults_;
  std::vector<std::unique_ptr<ModelCommandBar>> bars_;
};

}  // namespace kv::model
