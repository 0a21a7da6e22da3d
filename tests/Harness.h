// The test harness: a fresh IDE with the add-in's state around it. Each
// Harness owns a temporary folder, a headless platform whose Windows directory
// is that folder, a settings store on "settings.ini" there, the in-memory IDE
// and the add-in's Globals with gVBE set; its helpers open modules, read them
// back and run commands. HarnessTest is the same as a GoogleTest fixture.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "host/VbError.h"
#include "host/model/ModelVBE.h"
#include "options/modSettings.h"
#include "organize/modOrganize.h"
#include "platform/HeadlessPlatform.h"
#include "support/modGlobals.h"

namespace kv::test {

// The number of the VbError a call raises, or 0 when it raises none.
template <class Call>
std::int32_t ErrorOf(Call&& call) {
  try {
    call();
  } catch (const VbError& e) {
    return e.Number();
  }
  return 0;
}

class Harness {
 public:
  explicit Harness(model::ModelOptions options = {})
      : platform({.windowsDirectory = folder.Path()}),
        settings(folder.Path() / "settings.ini"),
        vbe(platform, std::move(options)),
        g(platform, settings) {
    g.gVBE = &vbe;
  }

  // The project the helpers add modules to: "Project1", created on first use.
  model::ModelProject& Project() {
    if (vbe.Projects().empty()) vbe.AddProject(u"Project1");
    return *vbe.Projects().front();
  }

  // A standard module holding `text` (split at CR LF, a final CR LF ending
  // the last line), stored as a file would load it: labels keep their
  // indentation. Named Module1, Module2... unless a name is given.
  model::ModelComponent& AddModule(VbStringView text, VbString name = {}) {
    model::ModelProject& project = Project();
    if (name.empty()) name = u"Module" + ToVb(static_cast<std::int64_t>(project.Components().size()) + 1);
    return project.AddModule(std::move(name), text);
  }
  model::ModelComponent& AddModuleLines(std::vector<VbString> lines, VbString name = {}) {
    model::ModelComponent& component = AddModule(u"", std::move(name));
    component.Code().LoadLines(std::move(lines));
    return component;
  }

  // Opens the component's code pane, makes it the active pane (its window
  // has the focus) and sets its selection.
  model::ModelCodePane& Open(model::ModelComponent& component, Selection selection = {1, 1, 1, 1}) {
    model::ModelCodePane& pane = vbe.OpenCodePane(component);
    pane.Select(selection);
    vbe.ActivateCodePane(&pane);
    return pane;
  }
  // AddModule and Open in one step.
  model::ModelCodePane& OpenModule(VbStringView text, Selection selection = {1, 1, 1, 1}) {
    return Open(AddModule(text), selection);
  }
  model::ModelCodePane& OpenModuleLines(std::vector<VbString> lines, Selection selection = {1, 1, 1, 1}) {
    return Open(AddModuleLines(std::move(lines)), selection);
  }

  // The active pane and its module; a test error when there is none.
  model::ModelCodePane& Pane() {
    if (!vbe.ActivePane()) throw std::logic_error("no active code pane");
    return *vbe.ActivePane();
  }
  model::ModelCodeModule& Module() { return Pane().Module(); }

  // The active module's lines, or its text joined with CR LF.
  std::vector<VbString> Lines() { return Module().AllLines().Strings(); }
  VbString Text() { return Module().Text(); }
  // The active pane's selection.
  Selection Caret() { return Pane().Selected(); }

  // Runs a command as a click or hot key starts it: an object-model error is
  // reported in a message box. Returns whether it ran without an error.
  bool RunCommand(std::int16_t n) { return s_RunCommand(g, n); }

  // The texts of every message box shown so far.
  std::vector<VbString> Messages() const {
    std::vector<VbString> texts;
    for (const auto& box : platform.MessageBoxes()) texts.push_back(box.text);
    return texts;
  }

  TempFolder folder;
  platform::HeadlessPlatform platform;
  SettingsStore settings;
  model::ModelVBE vbe;
  Globals g;
};

class HarnessTest : public ::testing::Test, public Harness {};

}  // namespace kv::test
