// The command menus: the command table, the placement of the four menu kinds
// in the IDE's command bars, one click sink per control, and the removal of
// every control the add-in created.
#include "host/modMenus.h"

#include <memory>

#include "host/CBtnEvents.h"
#include "host/frmHotKey.h"
#include "options/modSettings.h"
#include "support/modGlobals.h"

namespace kv {

namespace {

using vbide::AddControlArgs;
using vbide::ButtonStyle;
using vbide::CommandBar;
using vbide::ControlPtr;
using vbide::ControlType;
using vbide::FindControlArgs;

constexpr std::array<CommandEntry, kCommandCount> kCommands{{
    {1, u"[&L] Clear Inmediate Window", u"[&L] 清空立即窗口", 1964, 1, false, true},
    {2, u"[&I] Insert Custom Text", u"[&I] 插入自定义文本", 114, 1, false, true},
    {3, u"[&B] Delete Blank Lines (Current module)", u"[&B] 删除空行（当前模块）", 358, 1, false, false},
    {4, u"[&1] Merge Multiple Blank Lines into 1 (Current module)", u"[&1] 合并多个空行成1行（当前模块）", 1652, 1, false,
     false},
    {5, u"[&S] Add Private Sub", u"[&S] 添加Private Sub", 98, 1, true, true},
    {6, u"[&F] Add Private Function", u"[&F] 添加Private Functio", 85, 1, false, true},
    {7, u"[&C] Comment Blcok", u"[&C] 注释掉行", 192, 1, true, true},
    {8, u"[&U] Uncomment Blcok", u"[&U] 解除注释", 2552, 1, false, true},
    {9, u"[&T] Find Words to Previous", u"[&T] 向上查找", 140, 1, true, true},
    {10, u"[&W] Find Words to All", u"[&W] 查找所有", 141, 1, false, true},
    {11, u"[&A] VB Code to .asp file (Current module)", u"[&A] VB代码到.asp文件（当前模块）", 610, 1, true, false},
    {12, u"[&R] Restore VB Code from .asp file (Current module)", u"[&R] .asp文件恢复成VB代码（当前模块）", 1020, 1,
     false, false},
    {13, u"[&N] Delete Spaces Before and After (Current module)", u"[&N] 删除前后空格（当前模块）", 3471, 1, false,
     false},
    {14, u"[&D] Indent Procedure", u"[&D] 缩进过程", 2564, 1, true, false},
    {15, u"[&M] Indent Module", u"[&M] 缩进模块", 3472, 1, false, true},
    {16, u"[&P] Indent Project", u"[&P] 缩进工程", 2557, 1, false, false},
    {17, u"[&E] Exit", u"[&E] 退出", 1640, 1, true, false},
    {18, u"[&A] About Kestrovaer", u"[&A] 关于Kestrova", 1016, 2, false, false},
    {19, u"[&S] Set Up", u"[&S] 设置", 2144, 2, false, false},
    {20, u"[&E] Chinese Symbol to English (Current module)", u"[&E] 中文符号变英文符号（当前模块）", 291, 2, true,
     false},
    {21, u"[&R] Private to Public (Current module)", u"[&R] 全部Private变Public（当前模块）", 451, 2, true, false},
    {22, u"[&P] Public to Private (Current module)", u"[&P] 全部Public变Private（当前模块）", 452, 2, false, false},
    {23, u"[&N] Add Line Number (Current module)", u"[&N] 添加行号（当前模块）", 11, 2, true, false},
    {24, u"[&D] Delete Line Number (Current module)", u"[&D] 删除行号（当前模块）", 123, 2, false, false},
    {25, u"[&-] Fold Current Procedure ^-", u"[&-] 折叠当前过程", 375, 2, true, false},
    {26, u"[&+] Unfold Current Procedure ^+", u"[&+] 展开当前过程", 374, 2, false, false},
    {27, u"[&*] Unfold All of Current module ^*", u"[&*] 展开所有折叠（当前模块）", 376, 2, false, false},
    {28, u"[&F] Add Professional f_chkPro", u"[&F] 添加专业版f_chkPro代码", 225, 2, true, false},
    {29, u"[&L] Add Professional Label", u"[&L] 添加专业两头标签", 410, 2, false, false},
    {30, u"[&B] Comment Code between Professional Label (Project)", u"[&B] 注释掉专业版两头标签中的代码（当前工程）",
     292, 2, false, false},
    {31, u"[&U] Uncomment Professional Code (Project)", u"[&U] 去除专业版两头标签中的代码的注释（当前工程）", 296, 2,
     false, false},
}};

// The bracketed access key "[&X]" that toolbar captions leave out; the blank
// after it stays.
constexpr std::size_t kAccessKeyLength = 4;

vbide::VBE& Root(Globals& g) {
  if (!g.gVBE) Raise(vberr::kObjectVariableNotSet, u"Object variable or With block variable not set");
  return *g.gVBE;
}

ControlPtr& Required(ControlPtr& control) {
  if (!control) Raise(vberr::kObjectVariableNotSet, u"Object variable or With block variable not set");
  return control;
}

// Connects a new click sink to the control and keeps it in colBtnEvents.
void AddClickSink(Globals& g, const ControlPtr& control) {
  auto sink = std::make_unique<CBtnEvents>(g);
  sink->SetOHook(Root(g).Events().CommandBarEvents(control), control);
  g.colBtnEvents.push_back(std::move(sink));
}

// A temporary button carrying command n, tagged at once so that a removal
// finds it even when a later property is refused.
ControlPtr AddCommandButton(vbide::CommandBarControls& controls, std::int16_t n) {
  AddControlArgs args;
  args.type = ControlType::Button;
  args.parameter = CommandParameter(n);
  args.temporary = true;
  ControlPtr button = controls.Add(args);
  Required(button)->SetTag(kTag);
  return button;
}

VbStringView Caption(const Globals& g, const CommandEntry& entry) {
  return g.Text(entry.english, entry.chinese);
}

// The edit toolbar: "编辑" in a Chinese IDE, "Edit" in an English one.
CommandBar& EditToolbar(Globals& g) {
  vbide::CommandBars& bars = Root(g).CommandBars();
  try {
    return bars.Item(kEditToolbarChinese);
  } catch (const VbError&) {
    return bars.Item(kEditToolbarEnglish);
  }
}

void BuildImmediateButton(Globals& g) {
  CommandBar& bar = Root(g).CommandBars().Item(kImmediateWindowBar);
  ControlPtr button = AddCommandButton(bar.Controls(), 1);
  button->SetCaption(g.Text(kImmediateButtonEnglish, kImmediateButtonChinese));
  button->SetFaceId(kCommands[0].faceId);
  button->SetStyle(ButtonStyle::IconAndCaption);
  AddClickSink(g, button);
}

void BuildPopupMenu(Globals& g, ControlPtr& popup, std::int16_t kind) {
  Required(popup);
  popup->SetCaption(kind == kMenuCodeWindow ? g.Text(kCodeWindowPopupEnglish, kCodeWindowPopupChinese)
                                            : g.Text(kOthersPopupEnglish, kOthersPopupChinese));
  popup->SetParameter(kTag);
  popup->SetTag(kTag);
  popup->SetBeginGroup(true);
  vbide::CommandBarControls& controls = popup->CommandBar().Controls();
  for (const CommandEntry& entry : kCommands) {
    if (entry.menu != kind) continue;
    ControlPtr button = AddCommandButton(controls, entry.number);
    button->SetCaption(Caption(g, entry));
    button->SetFaceId(entry.faceId);
    button->SetStyle(ButtonStyle::IconAndCaption);
    if (entry.beginGroup) button->SetBeginGroup(true);
    AddClickSink(g, button);
  }
}

void BuildToolbarButtons(Globals& g) {
  vbide::CommandBarControls& controls = EditToolbar(g).Controls();
  for (const CommandEntry& entry : kCommands) {
    if (!entry.toolbar) continue;
    ControlPtr button = AddCommandButton(controls, entry.number);
    button->SetCaption(Caption(g, entry).substr(kAccessKeyLength));
    button->SetFaceId(entry.faceId);
    button->SetStyle(ButtonStyle::Icon);
    if (entry.number == 1) button->SetBeginGroup(true);
    AddClickSink(g, button);
  }
}

// A temporary pop-up in `bar`, before the built-in control `anchorId` when
// the bar has it, else at the end.
ControlPtr AddPopup(CommandBar& bar, std::int32_t anchorId) {
  FindControlArgs find;
  find.id = anchorId;
  ControlPtr anchor = bar.FindControl(find);
  AddControlArgs args;
  args.type = ControlType::Popup;
  args.temporary = true;
  if (anchor) args.before = anchor->Index();
  return bar.Controls().Add(args);
}

}  // namespace

const std::array<CommandEntry, kCommandCount>& CommandTable() { return kCommands; }

VbString CommandParameter(std::int16_t n) { return u"s_OrganizeModule (" + ToVb(n) + u")"; }

void s_AddMenus(Globals& g) {
  s_RemoveMenus(g);
  // The sinks of an earlier connection are disconnected by now; a connection
  // is never inside a click, so they can go.
  g.colBtnEvents.clear();

  ControlPtr popup;
  ResumeNext([&] { popup = AddPopup(Root(g).CommandBars().Item(kCodeWindowBar), kCodeWindowAnchorId); });
  if (popup) {
    std::int16_t kind = kMenuCodeWindow;
    ResumeNext([&] { s_AddMenuItems(g, popup, kind); });
  }

  // The others menu lives inside the menu bar's pop-up 30003; without that
  // pop-up there is no place for it, and it is left out.
  popup.reset();
  ResumeNext([&] {
    FindControlArgs find;
    find.id = kOthersHolderId;
    ControlPtr holder = Root(g).CommandBars().Item(kMenuBar).FindControl(find);
    if (holder) popup = AddPopup(holder->CommandBar(), kOthersAnchorId);
  });
  if (popup) {
    std::int16_t kind = kMenuOthers;
    ResumeNext([&] { s_AddMenuItems(g, popup, kind); });
  }

  for (std::int16_t kind : {kMenuEditToolbar, kMenuImmediate}) {
    ResumeNext([&] { s_AddMenuItems(g, popup, kind); });
  }

  ResumeNext([&] { HotKeyWindow(g).s_chkHotKey(); });
}

void s_AddMenuItems(Globals& g, ControlPtr& popup, std::int16_t& kind) {
  g.gLanguage = LanguageFromSetting(g.settings.ReadSetting(u"Language", u"0"));
  switch (kind) {
    case kMenuCodeWindow:
    case kMenuOthers: BuildPopupMenu(g, popup, kind); break;
    case kMenuEditToolbar: BuildToolbarButtons(g); break;
    case kMenuImmediate: BuildImmediateButton(g); break;
    default: break;
  }
}

void s_RemoveMenus(Globals& g) {
  // The sinks stop listening first: an IDE must not call into an add-in that
  // may be unloaded. The objects stay, since the Exit command removes the
  // menus from inside a click on one of them.
  for (auto& sink : g.colBtnEvents) sink->SetOHook(nullptr, nullptr);
  FindControlArgs find;
  find.tag = VbString(kTag);
  ControlPtr previous;
  for (;;) {
    ControlPtr found;
    if (!ResumeNext([&] { found = Root(g).CommandBars().FindControl(find); })) return;
    // A control found again after its deletion was not really deleted.
    if (!found || found == previous) return;
    if (!ResumeNext([&] { found->Delete(); })) return;
    previous = std::move(found);
  }
}

}  // namespace kv
