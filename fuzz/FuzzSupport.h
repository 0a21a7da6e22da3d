// What the fuzz targets share: reading choices out of the fuzzer's bytes, a
// scratch folder for settings files, and a fresh in-memory IDE with the
// add-in's state around it for every input.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/model/ModelVBE.h"
#include "options/modSettings.h"
#include "platform/HeadlessPlatform.h"
#include "support/modGlobals.h"
#include "support/text/VbText.h"

namespace kv::fuzz {

// The fuzzer's bytes, read front to back. Past the end every byte reads 0 and
// every text is empty, so any input is a valid one.
class FuzzInput {
 public:
  explicit FuzzInput(std::string_view data) : data_(data) {}

  std::uint8_t Byte() {
    if (data_.empty()) return 0;
    auto b = static_cast<std::uint8_t>(data_.front());
    data_.remove_prefix(1);
    return b;
  }
  // The bytes up to the next line feed, which is consumed.
  std::string_view Line() {
    std::size_t at = data_.find('\n');
    std::string_view line = data_.substr(0, at);
    data_.remove_prefix(at == std::string_view::npos ? data_.size() : at + 1);
    return line;
  }
  std::string_view Rest() {
    std::string_view rest = data_;
    data_ = {};
    return rest;
  }

 private:
  std::string_view data_;
};

// A folder of this process for the files the targets write, on a memory file
// system where there is one. Removed when the process ends normally.
const std::filesystem::path& ScratchFolder();

// The lines of UTF-8 text (malformed bytes become U+FFFD): split at LF, a CR
// before the LF dropped, a final LF ending the last line. A lone CR stays in
// its line, as the file reader keeps it.
std::vector<VbString> ModuleLines(std::string_view utf8);

// An option's stored text chosen by one byte: a number from -20 to 179 for
// most values, else one of the texts a hand-edited store may hold.
VbString CountText(std::uint8_t b);
// A flag's stored text chosen by two bits: "Y", "N", "y" or "Yes".
VbString FlagText(unsigned bits);

// Writes a settings file holding the given keys and values in the add-in's
// section.
void WriteSettingsFile(const std::filesystem::path& file, const std::vector<std::pair<VbString, VbString>>& values);

// A fresh in-memory IDE with the add-in connected to nothing: a platform, a
// settings store on the given file (warnings dropped), the IDE and Globals.
struct Ide {
  explicit Ide(const std::filesystem::path& settingsFile);

  // A standard module holding the lines as a file loads them, its code pane
  // open and active with the selection.
  model::ModelCodePane& Open(std::vector<VbString> lines, Selection selection);
  std::vector<VbString> Lines() { return vbe.ActivePane()->Module().AllLines().Strings(); }

  platform::HeadlessPlatform platform;
  SettingsStore settings;
  model::ModelVBE vbe;
  Globals g;
};

// The settings file the IDE of one input reads.
std::filesystem::path SettingsFileForInput();

}  // namespace kv::fuzz
