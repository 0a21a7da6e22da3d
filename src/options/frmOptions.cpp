// Placeholder: the options window arrives with its own change.
#include "options/frmOptions.h"

namespace kv {
frmOptions::frmOptions(Globals& g) : g_(g) {}
void ShowOptionsWindow(Globals&) {}
}  // namespace kv
