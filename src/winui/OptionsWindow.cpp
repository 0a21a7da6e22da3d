// The options window on Windows: the layout of its controls and the passing
// of the user's input on to the window's view model.
#include <windows.h>

#include "options/frmOptions.h"
#include "winui/Forms.h"
#include "winui/WinUi.h"

namespace kv::winui {

namespace {

// The client area is 10590 by 8310 twips. The indentation group spans the
// width above, the example on its left and the indentation options with the
// language group on its right; the other options' group below holds the
// hot keys on its left and the custom text on its right; Save and Cancel
// stand at the bottom right. Labels sit on the line of the box they name.
constexpr Place kPlaces[] = {
    {"Frame1", 120, 60, 10350, 4440},
    {"lbCodeExample", 240, 300, 5100, 4020},
    {"lblUse", 5520, 315, 450, 285},
    {"tbSpaceNum", 6000, 300, 495, 315},
    {"spa", 6555, 315, 1500, 285},
    {"cbIndentProc", 5520, 720, 4800, 300},
    {"cbAlignEOL", 5520, 1080, 2880, 300},
    {"lblAlignCol", 8460, 1088, 1020, 285},
    {"tbAlignCol", 9540, 1073, 615, 315},
    {"cbIndentFirst", 5520, 1440, 4800, 300},
    {"cbIndentCmt", 5520, 1800, 4800, 300},
    {"cbIndentCase", 5520, 2160, 4800, 300},
    {"Frame3", 5520, 2640, 4800, 1080},
    {"cmbLanguage", 5700, 2970, 2400, 315},
    {"Frame2", 120, 4620, 10350, 3060},
    {"chkSave", 240, 4890, 5520, 300},
    {"chkF1", 240, 5250, 5520, 300},
    {"chkF2", 240, 5610, 5520, 300},
    {"chkIndentModHotKey", 240, 5970, 3480, 300},
    {"txtIndentMod", 3780, 5963, 375, 315},
    {"chkFold", 240, 6330, 5520, 300},
    {"chkUnfold", 240, 6690, 5520, 300},
    {"chkUnfoldAll", 240, 7050, 5520, 300},
    {"chkCtrl1", 6000, 4890, 1860, 300},
    {"txtCtrl1", 7920, 4883, 375, 315},
    {"labIs", 8340, 4890, 240, 300},
    {"txtCtrl1Target", 6000, 5280, 4350, 1500},
    {"lblLineStart", 6000, 6960, 1620, 300},
    {"tbLineStart", 7680, 6953, 720, 315},
    {"lblLineStep", 8460, 6960, 720, 300},
    {"tbLineStep", 9240, 6953, 720, 315},
    {"cmdOK", 7800, 7800, 1215, 375},
    {"cmdCancel", 9135, 7800, 1215, 375},
};

// Gives a control the focus the way a dialog does, so that the default
// button follows; a single-line box then has its text selected.
void FocusControl(HWND dialog, HWND control) {
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

}  // namespace

OptionsWindow::OptionsWindow(frmOptions& model, bool chinese) : FormWindow(model.Controls(), chinese), model_(model) {
  Create(kOptionsClass, kPlaces, 10590, 8310);
  if (!Open()) return;
  BringForward();
  if (const FormControl* active = model_.ActiveControl()) FocusControl(Handle(), Child(active->name));
}

OptionsWindow::~OptionsWindow() { Destroy(); }

void OptionsWindow::Command(std::size_t index, int code) {
  const FormControl& c = ControlAt(index);
  HWND child = Child(c.name);
  switch (c.kind) {
    case ControlKind::TextBox:
      if (code != EN_CHANGE) return;
      model_.SetText(c.name, WindowText(child));
      break;
    case ControlKind::CheckBox:
      if (code != BN_CLICKED) return;
      model_.SetValue(c.name, SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
      break;
    case ControlKind::DropDownList:
      if (code != CBN_SELCHANGE) return;
      model_.SetListIndex(c.name, static_cast<int>(SendMessageW(child, CB_GETCURSEL, 0, 0)));
      break;
    case ControlKind::Label:
      if (code != STN_CLICKED) return;
      model_.Click(c.name);
      // "=" selects the custom text and puts the caret in its box.
      if (const FormControl* active = model_.ActiveControl(); active && c.name == "labIs") {
        FocusControl(Handle(), Child(active->name));
        SendMessageW(Child(active->name), EM_SETSEL, active->selStart,
                     static_cast<LPARAM>(active->selStart + active->selLength));
      }
      break;
    case ControlKind::Button:
      if (code != BN_CLICKED) return;
      model_.Click(c.name);
      break;
    default: return;
  }
  CloseIfUnloaded();
  Sync();
}

void OptionsWindow::CloseIfUnloaded() {
  if (!model_.Loaded()) Destroy();
}

void OptionsWindow::CloseRequested() {
  model_.cmdCancel_Click();
  CloseIfUnloaded();
}

// However the window goes, a model still loaded is cancelled: nothing is
// written.
void OptionsWindow::Destroyed() {
  if (model_.Loaded()) model_.cmdCancel_Click();
}

}  // namespace kv::winui
