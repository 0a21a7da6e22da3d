// The built-in command bars and controls of an English or Chinese IDE.
#include "host/model/BuiltInBars.h"

#include <span>

namespace kv::model {

namespace {

using vbide::ControlType;

// One built-in control; depth 1 puts it into the pop-up above it.
struct BuiltIn {
  std::int32_t depth;
  ControlType type;
  std::int32_t id;
  VbStringView english;
  VbStringView chinese;
  std::int32_t faceId;
  bool beginGroup;
};

constexpr ControlType kButton = ControlType::Button;
constexpr ControlType kPopup = ControlType::Popup;

constexpr BuiltIn kMenuBar[] = {
    {0, kPopup, 30002, u"&File", u"文件(&F)", 0, false},
    {1, kButton, 2520, u"&New Project", u"新建工程(&N)", 2520, false},
    {1, kButton, 23, u"&Open Project...", u"打开工程(&O)...", 23, false},
    {1, kButton, 3, u"Sa&ve Project", u"保存工程(&V)", 3, true},
    {1, kButton, 752, u"E&xit", u"退出(&X)", 0, true},
    {0, kPopup, kEditPopupId, u"&Edit", u"编辑(&E)", 0, false},
    {1, kButton, 128, u"&Undo", u"撤消(&U)", 128, false},
    {1, kButton, 21, u"Cu&t", u"剪切(&T)", 21, true},
    {1, kButton, 19, u"&Copy", u"复制(&C)", 19, false},
    {1, kButton, 22, u"&Paste", u"粘贴(&P)", 22, false},
    {1, kButton, 141, u"&Find...", u"查找(&F)...", 141, true},
    {1, kButton, kEditInsertId, u"&Indent", u"缩进(&I)", 3464, true},
    {1, kButton, 2530, u"O&utdent", u"凸出(&U)", 3465, false},
    {0, kPopup, 30004, u"&View", u"视图(&V)", 0, false},
    {1, kButton, 2524, u"&Code", u"代码窗口(&C)", 2524, false},
    {1, kButton, 2555, u"&Immediate Window", u"立即窗口(&I)", 2555, false},
    {0, kPopup, 30007, u"&Tools", u"工具(&T)", 0, false},
    {1, kButton, 522, u"&Options...", u"选项(&O)...", 0, false},
    {0, kPopup, 30038, u"&Add-Ins", u"外接程序(&A)", 0, false},
    {1, kButton, 2554, u"&Add-In Manager...", u"外接程序管理器(&A)...", 0, false},
    {0, kPopup, 30010, u"&Help", u"帮助(&H)", 0, false},
    {1, kButton, 983, u"&Contents", u"内容(&C)", 0, false},
};

constexpr BuiltIn kCodeWindow[] = {
    {0, kButton, 21, u"Cu&t", u"剪切(&T)", 21, false},
    {0, kButton, 19, u"&Copy", u"复制(&C)", 19, false},
    {0, kButton, 22, u"&Paste", u"粘贴(&P)", 22, false},
    {0, kButton, 2510, u"List Properties/&Methods", u"属性/方法列表(&M)", 2510, true},
    {0, kButton, 2512, u"Quick &Info", u"快速信息(&I)", 2512, false},
    {0, kButton, kCodeWindowInsertId, u"&Definition", u"定义(&D)", 0, true},
    {0, kButton, 2557, u"&Last Position", u"最后位置(&L)", 0, false},
    {0, kButton, 2558, u"&Hide", u"隐藏(&H)", 0, true},
};

constexpr BuiltIn kImmediateWindow[] = {
    {0, kButton, 21, u"Cu&t", u"剪切(&T)", 21, false},
    {0, kButton, 19, u"&Copy", u"复制(&C)", 19, false},
    {0, kButton, 22, u"&Paste", u"粘贴(&P)", 22, false},
    {0, kButton, 2558, u"&Hide", u"隐藏(&H)", 0, true},
};

constexpr BuiltIn kEditToolbar[] = {
    {0, kButton, 2510, u"List Properties/Methods", u"属性/方法列表", 2510, false},
    {0, kButton, 2512, u"Quick Info", u"快速信息", 2512, false},
    {0, kButton, kEditInsertId, u"Indent", u"缩进", 3464, true},
    {0, kButton, 2530, u"Outdent", u"凸出", 3465, false},
    {0, kButton, 51, u"Toggle Breakpoint", u"切换断点", 51, true},
    {0, kButton, 2536, u"Toggle Bookmark", u"切换书签", 2536, true},
};

constexpr BuiltIn kStandardToolbar[] = {
    {0, kButton, 2520, u"New Project", u"新建工程", 2520, false},
    {0, kButton, 23, u"Open Project", u"打开工程", 23, false},
    {0, kButton, 3, u"Save Project", u"保存工程", 3, false},
    {0, kButton, 186, u"Start", u"启动", 186, true},
    {0, kButton, 189, u"Break", u"中断", 189, false},
    {0, kButton, 228, u"End", u"结束", 228, false},
};

// Menus show icon and caption, toolbars the icon only.
void Fill(ModelCommandBar& bar, std::span<const BuiltIn> controls, vbide::ButtonStyle style, Language language,
          const CommandBarOptions& options) {
  ModelCommandBar* popup = nullptr;  // the pop-up that depth 1 goes into
  bool inEditPopup = false;
  for (const BuiltIn& b : controls) {
    if (b.depth == 0 && b.id == kEditPopupId && b.type == kPopup && !options.editPopup) {
      popup = nullptr;
      continue;
    }
    bool isCodeInsert = bar.NameText() == u"Code Window" && b.id == kCodeWindowInsertId;
    if (isCodeInsert && !options.codeWindowInsertId) continue;
    if (inEditPopup && b.depth == 1 && b.id == kEditInsertId && !options.editInsertId) continue;
    ControlData data;
    data.type = b.type;
    data.id = b.id;
    data.caption = VbString(language == Language::Chinese ? b.chinese : b.english);
    data.faceId = b.faceId;
    data.beginGroup = b.beginGroup;
    if (b.type == kButton) data.style = style;
    if (b.depth == 0) {
      ModelControlPtr control = bar.Insert(std::move(data));
      popup = control->PopupBar();
      inEditPopup = b.id == kEditPopupId;
    } else if (popup) {
      popup->Insert(std::move(data));
    }
  }
}

}  // namespace

VbStringView EditToolbarName(Language language) { return language == Language::Chinese ? u"编辑" : u"Edit"; }

void AddBuiltInBars(ModelCommandBars& bars, Language language, const CommandBarOptions& options) {
  constexpr auto kMenu = vbide::ButtonStyle::IconAndCaption;
  constexpr auto kToolbar = vbide::ButtonStyle::Icon;
  if (options.menuBar) Fill(bars.AddBar(u"Menu Bar"), kMenuBar, kMenu, language, options);
  if (options.standardToolbar) Fill(bars.AddBar(u"Standard"), kStandardToolbar, kToolbar, language, options);
  if (options.editToolbar) {
    Fill(bars.AddBar(VbString(EditToolbarName(language))), kEditToolbar, kToolbar, language, options);
  }
  if (options.codeWindow) Fill(bars.AddBar(u"Code Window"), kCodeWindow, kMenu, language, options);
  if (options.immediateWindow) Fill(bars.AddBar(u"Immediate Window"), kImmediateWindow, kMenu, language, options);
}

}  // namespace kv::model
