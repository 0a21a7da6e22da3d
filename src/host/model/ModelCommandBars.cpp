// Command bars, their controls, FindControl and Controls.Add.
#include "host/model/ModelCommandBars.h"

#include <algorithm>

#include "host/model/Faults.h"
#include "host/model/ModelErrors.h"

namespace kv::model {

namespace {

bool Matches(const ControlData& data, const vbide::FindControlArgs& args) {
  if (args.type && data.type != *args.type) return false;
  if (args.id && data.id != *args.id) return false;
  if (args.tag && data.tag != *args.tag) return false;
  if (args.visible.value_or(false) && !data.visible) return false;
  return true;
}

void List(const ModelCommandBar& bar, const VbString& top, const VbString& path, std::int32_t depth,
          std::vector<ControlListing>& out) {
  std::int32_t position = 0;
  for (const ModelControlPtr& control : bar.Items()) {
    out.push_back({top, path, depth, ++position, control});
    if (ModelCommandBar* inner = control->PopupBar()) {
      List(*inner, top, path + u" > " + control->Data().caption, depth + 1, out);
    }
  }
}

}  // namespace

// ---- ModelControl ----

ModelControl::ModelControl(ControlData data, ModelCommandBar& parent, std::shared_ptr<Faults> faults)
    : data_(std::move(data)), parent_(&parent), faults_(std::move(faults)) {
  if (data_.type == vbide::ControlType::Popup) popup_ = std::make_unique<ModelCommandBar>(VbString(), faults_, this);
}

ModelControl::~ModelControl() = default;

void ModelControl::Enter(std::string_view operation) {
  if (deleted_) RaiseDisconnected();
  faults_->Check(operation);
}

void ModelControl::EnterButtonOnly(std::string_view operation) {
  Enter(operation);
  if (data_.type != vbide::ControlType::Button) RaiseNotSupported();
}

void ModelControl::MarkDeleted() {
  deleted_ = true;
  if (popup_) {
    for (const ModelControlPtr& inner : popup_->controls_) inner->MarkDeleted();
  }
}

vbide::ControlType ModelControl::Type() {
  Enter("CommandBarControl.Type");
  return data_.type;
}

std::int32_t ModelControl::Id() {
  Enter("CommandBarControl.Id");
  return data_.id;
}

std::int32_t ModelControl::Index() {
  Enter("CommandBarControl.Index");
  const auto& siblings = parent_->controls_;
  auto it = std::find_if(siblings.begin(), siblings.end(), [&](const ModelControlPtr& c) { return c.get() == this; });
  return static_cast<std::int32_t>(it - siblings.begin()) + 1;
}

VbString ModelControl::Caption() {
  Enter("CommandBarControl.Caption");
  return data_.caption;
}

void ModelControl::SetCaption(VbStringView caption) {
  Enter("CommandBarControl.SetCaption");
  data_.caption = VbString(caption);
}

VbString ModelControl::Parameter() {
  Enter("CommandBarControl.Parameter");
  return data_.parameter;
}

void ModelControl::SetParameter(VbStringView parameter) {
  Enter("CommandBarControl.SetParameter");
  data_.parameter = VbString(parameter);
}

VbString ModelControl::Tag() {
  Enter("CommandBarControl.Tag");
  return data_.tag;
}

void ModelControl::SetTag(VbStringView tag) {
  Enter("CommandBarControl.SetTag");
  data_.tag = VbString(tag);
}

bool ModelControl::BeginGroup() {
  Enter("CommandBarControl.BeginGroup");
  return data_.beginGroup;
}

void ModelControl::SetBeginGroup(bool beginGroup) {
  Enter("CommandBarControl.SetBeginGroup");
  data_.beginGroup = beginGroup;
}

bool ModelControl::Visible() {
  Enter("CommandBarControl.Visible");
  return data_.visible;
}

std::int32_t ModelControl::FaceId() {
  EnterButtonOnly("CommandBarControl.FaceId");
  return data_.faceId;
}

void ModelControl::SetFaceId(std::int32_t faceId) {
  EnterButtonOnly("CommandBarControl.SetFaceId");
  data_.faceId = faceId;
}

vbide::ButtonStyle ModelControl::Style() {
  EnterButtonOnly("CommandBarControl.Style");
  return data_.style;
}

void ModelControl::SetStyle(vbide::ButtonStyle style) {
  EnterButtonOnly("CommandBarControl.SetStyle");
  data_.style = style;
}

void ModelControl::Delete() {
  Enter("CommandBarControl.Delete");
  ModelControlPtr self = shared_from_this();  // the bar may hold the last reference
  parent_->Remove(*this);
  MarkDeleted();
}

vbide::CommandBar& ModelControl::CommandBar() {
  Enter("CommandBarControl.CommandBar");
  if (!popup_) RaiseNotSupported();
  return *popup_;
}

// ---- ModelCommandBar ----

ModelCommandBar::ModelCommandBar(VbString name, std::shared_ptr<Faults> faults, ModelControl* owner)
    : name_(std::move(name)), faults_(std::move(faults)), owner_(owner) {}

ModelCommandBar::~ModelCommandBar() {
  for (const ModelControlPtr& control : controls_) control->MarkDeleted();
}

VbString ModelCommandBar::NameText() const { return owner_ ? owner_->data_.caption : name_; }

ModelControlPtr ModelCommandBar::Insert(ControlData data, std::optional<std::int32_t> before) {
  auto control = std::make_shared<ModelControl>(std::move(data), *this, faults_);
  auto at = before ? controls_.begin() + (*before - 1) : controls_.end();
  controls_.insert(at, control);
  return control;
}

ModelControlPtr ModelCommandBar::Find(const vbide::FindControlArgs& args, bool recursive) const {
  for (const ModelControlPtr& control : controls_) {
    if (Matches(control->data_, args)) return control;
    if (recursive && control->popup_) {
      if (ModelControlPtr inner = control->popup_->Find(args, true)) return inner;
    }
  }
  return nullptr;
}

void ModelCommandBar::Remove(const ModelControl& control) {
  std::erase_if(controls_, [&](const ModelControlPtr& c) { return c.get() == &control; });
}

VbString ModelCommandBar::Name() {
  faults_->Check("CommandBar.Name");
  return NameText();
}

vbide::CommandBarControls& ModelCommandBar::Controls() {
  faults_->Check("CommandBar.Controls");
  return list_;
}

vbide::ControlPtr ModelCommandBar::FindControl(const vbide::FindControlArgs& args) {
  faults_->Check("CommandBar.FindControl");
  return Find(args, args.recursive);
}

std::int32_t ModelCommandBar::ControlList::Count() {
  bar_.faults_->Check("CommandBarControls.Count");
  return static_cast<std::int32_t>(bar_.controls_.size());
}

vbide::ControlPtr ModelCommandBar::ControlList::Item(std::int32_t index) {
  bar_.faults_->Check("CommandBarControls.Item");
  if (index < 1 || index > static_cast<std::int32_t>(bar_.controls_.size())) RaiseInvalidCall();
  return bar_.controls_[static_cast<std::size_t>(index - 1)];
}

vbide::ControlPtr ModelCommandBar::ControlList::Add(const vbide::AddControlArgs& args) {
  bar_.faults_->Check("CommandBarControls.Add");
  vbide::ControlType type = args.type.value_or(vbide::ControlType::Button);
  if (type != vbide::ControlType::Button && type != vbide::ControlType::Popup) RaiseInvalidCall();
  auto count = static_cast<std::int32_t>(bar_.controls_.size());
  if (args.before && (*args.before < 1 || *args.before > count + 1)) RaiseInvalidCall();
  ControlData data;
  data.type = type;
  data.id = args.id.value_or(1);
  data.parameter = args.parameter.value_or(VbString());
  data.temporary = args.temporary.value_or(false);
  return bar_.Insert(std::move(data), args.before);
}

// ---- ModelCommandBars ----

ModelCommandBars::ModelCommandBars(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

ModelCommandBars::~ModelCommandBars() = default;

ModelCommandBar& ModelCommandBars::AddBar(VbString name, std::optional<std::int32_t> before) {
  auto bar = std::make_unique<ModelCommandBar>(std::move(name), faults_);
  auto at = before ? bars_.begin() + (*before - 1) : bars_.end();
  return **bars_.insert(at, std::move(bar));
}

ModelCommandBar* ModelCommandBars::FindBar(VbStringView name) {
  for (auto& bar : bars_) {
    if (EqualsNoCase(bar->NameText(), name)) return bar.get();
  }
  return nullptr;
}

bool ModelCommandBars::RemoveBar(VbStringView name) {
  return std::erase_if(bars_, [&](const auto& bar) { return EqualsNoCase(bar->NameText(), name); }) > 0;
}

std::vector<ControlListing> ModelCommandBars::ListControls() const {
  std::vector<ControlListing> out;
  for (const auto& bar : bars_) {
    VbString name = bar->NameText();
    List(*bar, name, name, 0, out);
  }
  return out;
}

ModelControlPtr ModelCommandBars::FindByParameter(VbStringView parameter) const {
  for (const ControlListing& entry : ListControls()) {
    if (entry.control->Data().parameter == parameter) return entry.control;
  }
  return nullptr;
}

std::int32_t ModelCommandBars::Count() {
  faults_->Check("CommandBars.Count");
  return static_cast<std::int32_t>(bars_.size());
}

vbide::CommandBar& ModelCommandBars::Item(VbStringView name) {
  faults_->Check("CommandBars.Item");
  ModelCommandBar* bar = FindBar(name);
  if (!bar) RaiseInvalidCall();
  return *bar;
}

vbide::CommandBar& ModelCommandBars::Item(std::int32_t index) {
  faults_->Check("CommandBars.Item");
  if (index < 1 || index > static_cast<std::int32_t>(bars_.size())) RaiseInvalidCall();
  return *bars_[static_cast<std::size_t>(index - 1)];
}

vbide::ControlPtr ModelCommandBars::FindControl(const vbide::FindControlArgs& args) {
  faults_->Check("CommandBars.FindControl");
  for (const auto& bar : bars_) {
    if (ModelControlPtr found = bar->Find(args, true)) return found;
  }
  return nullptr;
}

}  // namespace kv::model
