// Placeholder: the about window arrives with its own change.
#include "support/frmAbout.h"

namespace kv {
frmAbout::frmAbout(Globals& g) : g_(g) {}
void ShowAboutWindow(Globals&) {}
}  // namespace kv
