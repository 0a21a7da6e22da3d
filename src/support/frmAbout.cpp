// The about window.
#include "support/frmAbout.h"

#include <stdexcept>
#include <string>

#include "platform/Platform.h"
#include "support/modGlobals.h"

namespace kv {
namespace {

std::vector<FormControl> DesignControls() {
  auto make = [](std::string_view name, ControlKind kind, int tab, VbStringView english, VbStringView chinese) {
    FormControl c;
    c.name = name;
    c.kind = kind;
    c.tabIndex = tab;
    c.designText = english;
    c.chineseText = chinese;
    c.text = english;
    return c;
  };
  std::vector<FormControl> controls;
  controls.push_back(make("frmAbout", ControlKind::Window, -1, u"About Kestrovaer", u"关于Kestrova"));
  controls.push_back(make("labTitle", ControlKind::Label, 0, u"Kestrova v2.8 ", u""));
  controls.back().font = "serif";
  const VbString address = U(kHomePage);
  controls.push_back(make("lblURL", ControlKind::Label, 1, address, u""));
  controls.push_back(make("btnOK", ControlKind::Button, 2, u"Okay", u"好的"));
  return controls;
}

}  // namespace

frmAbout::frmAbout(Globals& g) : g_(g), controls_(DesignControls()) { Form_Load(); }

const FormControl& frmAbout::Control(std::string_view name) const {
  for (const FormControl& c : controls_)
    if (c.name == name) return c;
  throw std::out_of_range("frmAbout has no control " + std::string(name));
}

FormControl& frmAbout::Mutable(std::string_view name) { return const_cast<FormControl&>(Control(name)); }

void frmAbout::Form_Load() {
  if (g_.IsChinese()) {
    Mutable("frmAbout").text = Control("frmAbout").chineseText;
    Mutable("btnOK").text = Control("btnOK").chineseText;
  }
  Mutable("labTitle").text = u"Kestrova v2.8 ";
}

void frmAbout::Show() {
  if (!loaded_) return;
  visible_ = true;
  if (g_.windowHost.showAbout) g_.windowHost.showAbout(*this);
}

void frmAbout::Unload() {
  visible_ = false;
  loaded_ = false;
}

void frmAbout::lblURL_Click() {
  // No owner window, no parameters, no directory, a normal window; whether
  // a browser opened is not the window's concern.
  g_.platform.ShellExecuteA(0, "open", kHomePage, "", "", 1);
}

void frmAbout::btnOK_Click() { Unload(); }

void ShowAboutWindow(Globals& g) {
  if (!g.aboutWindow || !g.aboutWindow->Loaded()) g.aboutWindow = std::make_unique<frmAbout>(g);
  g.aboutWindow->Show();
}

}  // namespace kv
