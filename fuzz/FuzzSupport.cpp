// The fuzz targets' shared helpers.
#include "FuzzSupport.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

#include <fstream>
#include <stdexcept>

#include "options/SettingsEscaping.h"

namespace kv::fuzz {

namespace fs = std::filesystem;

namespace {

// Created on first use, removed with the process.
class Scratch {
 public:
  Scratch() {
    std::error_code error;
    fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    path_ = base / ("kestrova-fuzz-" + std::to_string(getpid()));
    fs::create_directories(path_, error);
    if (error) throw std::runtime_error("cannot create the scratch folder " + path_.string());
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// The commands under test never touch the command bars: an IDE without them
// is quicker to build for every input.
model::ModelOptions WithoutBars() {
  model::ModelOptions options;
  options.bars = {false, false, false, false, false, false, false, false};
  return options;
}

}  // namespace

const fs::path& ScratchFolder() {
  static const Scratch scratch;
  return scratch.Path();
}

std::vector<VbString> ModuleLines(std::string_view utf8) {
  std::vector<VbString> lines;
  const VbString text = U(utf8);
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t at = text.find(u'\n', from);
    if (at == VbString::npos) at = text.size();
    std::size_t end = at > from && text[at - 1] == u'\r' ? at - 1 : at;
    lines.push_back(text.substr(from, end - from));
    from = at + 1;
  }
  return lines;
}

VbString CountText(std::uint8_t b) {
  static const VbStringView kOdd[] = {u"",    u"abc",   u"2.5",  u"3.5",     u" 7",    u"1e3",   u"70000", u"-70000",
                                      u"+4",  u"4x",    u"-0",   u"32767",   u"-32768", u"32768", u"0.5",   u"  ",
                                      u"1,5", u"&H10",  u"٣",    u"9999999999999999999999", u"-1", u"11", u"101",
                                      u"4.5", u"-2.5",  u"1E2",  u"\t5",     u"5 ",    u"0x20",  u".7",    u"-.5",
                                      u"1.49999", u"10", u"100", u"55"};
  constexpr std::uint8_t kNumbers = 200;
  if (b < kNumbers) return ToVb(static_cast<std::int64_t>(b) - 20);
  return VbString(kOdd[(b - kNumbers) % std::size(kOdd)]);
}

VbString FlagText(unsigned bits) {
  static const VbStringView kFlags[] = {u"Y", u"N", u"y", u"Yes"};
  return VbString(kFlags[bits & 3]);
}

void WriteSettingsFile(const fs::path& file, const std::vector<std::pair<VbString, VbString>>& values) {
  std::string text = "[Kestrovaer]\n";
  for (const auto& [key, value] : values) {
    text += settings::EscapeKey(key) + "=" + settings::EscapeValue(value) + "\n";
  }
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

fs::path SettingsFileForInput() { return ScratchFolder() / "settings.ini"; }

Ide::Ide(const fs::path& settingsFile)
    : platform({.windowsDirectory = ScratchFolder()}),
      settings(settingsFile),
      vbe(platform, WithoutBars()),
      g(platform, settings) {
  settings.SetWarningSink([](std::string_view) {});
  g.gVBE = &vbe;
}

model::ModelCodePane& Ide::Open(std::vector<VbString> lines, Selection s) {
  if (vbe.Projects().empty()) vbe.AddProject(u"Project1");
  model::ModelComponent& component = vbe.Projects().front()->AddModule(u"Module1", u"");
  component.Code().LoadLines(std::move(lines));
  model::ModelCodePane& pane = vbe.OpenCodePane(component);
  pane.Select(s);
  vbe.ActivateCodePane(&pane);
  return pane;
}

}  // namespace kv::fuzz
