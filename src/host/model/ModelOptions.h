// What an in-memory IDE is built with: its language, its windows and which
// of its command bars and built-in controls exist.
#pragma once

#include <cstdint>

#include "support/text/VbText.h"

namespace kv::model {

enum class Language { English, Chinese };

// The built-in controls the add-in looks for.
inline constexpr std::int32_t kCodeWindowInsertId = 473;  // in "Code Window"
inline constexpr std::int32_t kEditPopupId = 30003;       // pop-up in "Menu Bar"
inline constexpr std::int32_t kEditInsertId = 2529;       // inside that pop-up

// Which bars and insertion points the IDE has; everything by default.
struct CommandBarOptions {
  bool menuBar = true;             // "Menu Bar"
  bool codeWindow = true;          // "Code Window", the code window's menu
  bool immediateWindow = true;     // "Immediate Window", that window's menu
  bool editToolbar = true;         // "Edit", in a Chinese IDE "编辑"
  bool standardToolbar = true;     // "Standard"
  bool codeWindowInsertId = true;  // control 473 in "Code Window"
  bool editPopup = true;           // pop-up 30003 in "Menu Bar"
  bool editInsertId = true;        // control 2529 in pop-up 30003
};

struct ModelOptions {
  Language language = Language::English;
  bool immediateWindow = true;   // whether the IDE has an Immediate window
  bool immediateVisible = true;  // whether it is shown
  VbString version = u"6.00";    // the root's Version text
  CommandBarOptions bars = {};
};

}  // namespace kv::model
