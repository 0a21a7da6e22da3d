// A fresh in-memory IDE for the benchmarks that run the add-in's commands:
// a temporary folder for the settings file (removed afterwards), the platform,
// the IDE with one project holding an empty standard module whose code pane
// is open and active, and the add-in's state with gVBE set.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "host/model/ModelVBE.h"
#include "options/modSettings.h"
#include "platform/HeadlessPlatform.h"
#include "support/modGlobals.h"

namespace kv::bench {

struct BenchIde {
  BenchIde()
      : folder(MakeFolder()),
        platform({.windowsDirectory = folder}),
        settings(folder / "settings.ini"),
        vbe(platform),
        g(platform, settings) {
    g.gVBE = &vbe;
    component = &vbe.AddProject(u"Project1").AddModule(u"Module1", u"");
    vbe.ActivateCodePane(&vbe.OpenCodePane(*component));
  }
  ~BenchIde() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  BenchIde(const BenchIde&) = delete;
  BenchIde& operator=(const BenchIde&) = delete;

  static std::filesystem::path MakeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrova-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern;
  }

  std::filesystem::path folder;
  platform::HeadlessPlatform platform;
  SettingsStore settings;
  model::ModelVBE vbe;
  Globals g;
  model::ModelComponent* component = nullptr;
};

}  // namespace kv::bench
