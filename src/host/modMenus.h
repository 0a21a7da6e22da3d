// The command menus: the command table, the four menu kinds the add-in builds
// in the IDE's command bars, one click sink per control, and their removal.
//
// Menu kinds: 1 the code-window menu (a pop-up in "Code Window"), 2 the
// others menu (a pop-up inside the menu bar's pop-up 30003), 11 the icon
// buttons of the edit toolbar, 12 the button of the Immediate window's menu.
// Every control is temporary and tagged "Kestrova"; the tag is the only way
// the add-in finds its controls again.
#pragma once

#include <array>
#include <cstdint>

#include "host/VBIDE.h"
#include "support/text/VbText.h"

namespace kv {

class Globals;

// One row of the command table. Captions begin with the bracketed access
// key and one blank, "[&L] ...".
struct CommandEntry {
  std::int16_t number;
  VbStringView english;
  VbStringView chinese;
  std::int32_t faceId;
  std::int16_t menu;  // 1 code-window menu, 2 others menu
  bool beginGroup;    // a separator is drawn before it in its menu
  bool toolbar;       // it also gets an icon button on the edit toolbar
};

inline constexpr std::int16_t kCommandCount = 31;
inline constexpr std::int16_t kMenuCodeWindow = 1;
inline constexpr std::int16_t kMenuOthers = 2;
inline constexpr std::int16_t kMenuEditToolbar = 11;
inline constexpr std::int16_t kMenuImmediate = 12;

// The 31 commands, row N-1 holding command N.
const std::array<CommandEntry, kCommandCount>& CommandTable();

// The captions of the two pop-ups and of the immediate-window button.
inline constexpr VbStringView kCodeWindowPopupEnglish = u"[&C] Kestrova";
inline constexpr VbStringView kCodeWindowPopupChinese = u"[&C] Kestrova";
inline constexpr VbStringView kOthersPopupEnglish = u"[&O] Others";
inline constexpr VbStringView kOthersPopupChinese = u"[&O] 其它";
inline constexpr VbStringView kImmediateButtonEnglish = u"Clear Inmediate Window";
inline constexpr VbStringView kImmediateButtonChinese = u"清空立即窗口";

// The bars and built-in controls the menus are placed by.
inline constexpr VbStringView kCodeWindowBar = u"Code Window";
inline constexpr VbStringView kMenuBar = u"Menu Bar";
inline constexpr VbStringView kImmediateWindowBar = u"Immediate Window";
inline constexpr VbStringView kEditToolbarChinese = u"编辑";
inline constexpr VbStringView kEditToolbarEnglish = u"Edit";
inline constexpr std::int32_t kCodeWindowAnchorId = 473;
inline constexpr std::int32_t kOthersHolderId = 30003;
inline constexpr std::int32_t kOthersAnchorId = 2529;

// The Parameter text that carries command n: "s_OrganizeModule (n)".
VbString CommandParameter(std::int16_t n);

// Removes what an earlier connection left, builds menu kinds 1, 2, 11 and 12
// and registers the hot keys. Every error inside is ignored: a missing bar or
// a refused property leaves only that part of the menus out.
void s_AddMenus(Globals& g);
// Builds the controls of one menu kind under `popup` (kinds 1 and 2; kinds 11
// and 12 find their own bar). The first error ends it and propagates.
void s_AddMenuItems(Globals& g, vbide::ControlPtr& popup, std::int16_t& kind);
// Disconnects every click sink, then deletes every control tagged
// "Kestrova". Stops when a deletion fails, so a
// control the IDE refuses to delete cannot keep it looping.
void s_RemoveMenus(Globals& g);

}  // namespace kv
