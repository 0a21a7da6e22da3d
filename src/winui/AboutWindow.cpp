// The about window on Windows: the title in a serif face, the home page's
// address as a link, and OK.
#include <windows.h>

#include "support/frmAbout.h"
#include "winui/Forms.h"
#include "winui/WinUi.h"

namespace kv::winui {

namespace {

constexpr Place kPlaces[] = {
    {"labTitle", 240, 180, 4320, 600},
    {"lblURL", 240, 900, 4320, 300},
    {"btnOK", 3345, 1500, 1215, 375},
};

}  // namespace

AboutWindow::AboutWindow(frmAbout& model, bool chinese) : FormWindow(model.Controls(), chinese), model_(model) {
  Create(kAboutClass, kPlaces, 4800, 2100);
  if (!Open()) return;
  MakeLink("lblURL");
  BringForward();
  SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Child("btnOK")), TRUE);
}

AboutWindow::~AboutWindow() { Destroy(); }

void AboutWindow::Command(std::size_t index, int code) {
  const FormControl& c = ControlAt(index);
  if (c.name == "lblURL" && code == STN_CLICKED) model_.lblURL_Click();
  if (c.name == "btnOK" && code == BN_CLICKED) model_.btnOK_Click();
  if (!model_.Loaded()) Destroy();
}

void AboutWindow::CloseRequested() {
  model_.btnOK_Click();
  Destroy();
}

void AboutWindow::Destroyed() {
  if (model_.Loaded()) model_.Unload();
}

}  // namespace kv::winui
