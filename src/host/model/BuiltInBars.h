// The command bars an IDE comes with, in English or Simplified Chinese: the
// menu bar, the menus of the code window and the Immediate window, and the
// edit and standard toolbars, each with a few built-in controls.
#pragma once

#include "host/model/ModelCommandBars.h"
#include "host/model/ModelOptions.h"

namespace kv::model {

// The name of the edit toolbar in an IDE of that language.
VbStringView EditToolbarName(Language language);

// Adds the bars and controls the options ask for.
void AddBuiltInBars(ModelCommandBars& bars, Language language, const CommandBarOptions& options);

}  // namespace kv::model
