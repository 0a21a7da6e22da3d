// The add-in's process-wide state.
#include "support/modGlobals.h"

#include "host/CBtnEvents.h"
#include "host/frmHotKey.h"
#include "options/frmOptions.h"
#include "platform/Platform.h"
#include "support/frmAbout.h"
#include "support/frmProgress.h"

namespace kv {

Globals::Globals(platform::Platform& platformLayer, SettingsStore& settingsStore)
    : platform(platformLayer), settings(settingsStore) {}

Globals::~Globals() = default;

void Globals::Message(VbStringView text) { platform.MsgBox(text, kMessageTitle); }

}  // namespace kv
