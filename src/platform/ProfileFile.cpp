// WritePrivateProfileStringA: one key of a real INI file below the folder
// that stands for the Windows directory, or of one kept in memory when the
// platform has no such folder (a relative name then touches no disk).
//
// Section and key names compare without regard to ASCII case, as Windows
// compares them; the first section of a name and its first entry of a key
// are the ones written. Everything else in the file stays as it was, and
// the file is replaced atomically so that a crash never leaves half a file.
#include "platform/IniText.h"
#include "platform/PlatformState.h"
#include "platform/WholeFile.h"

namespace kv::platform {

namespace {

// Windows compares file names without regard to ASCII case.
std::string FoldedName(std::string_view file) {
  std::string name(file);
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

// Sets section/key = value in an INI text.
std::string WithValue(std::string_view content, std::string_view section, std::string_view key,
                      std::string_view value) {
  IniText ini{std::string(content)};
  std::size_t header = ini.FindSection([&](std::string_view name) { return IniNamesEqual(name, section); });
  if (header == IniText::npos) {
    ini.AddSection(section, key, value);
  } else if (std::size_t entry = ini.FindEntry(header, [&](std::string_view name) { return IniNamesEqual(name, key); });
             entry == IniText::npos) {
    ini.AddEntry(header, key, value);
  } else {
    ini.SetValue(entry, value);
  }
  return ini.ToString();
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Names that could not be read back as the same section and key.
bool IsWritable(std::string_view section, std::string_view key, std::string_view value) {
  if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos) return false;
  return key.find_first_of(";#[") != 0;
}

}  // namespace

bool HeadlessPlatform::WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                          std::string_view file) {
  if (file.empty() || !IsWritable(section, key, value)) return false;
  std::filesystem::path path(file);
  if (path.is_relative()) {
    if (state_->options.windowsDirectory.empty()) {
      std::string& content = state_->profileFiles[FoldedName(file)];
      content = WithValue(content, section, key, value);
      return true;
    }
    path = state_->options.windowsDirectory / path;
  }

  std::string content;
  if (std::error_code error = ReadWholeFile(path, content); error && error != std::errc::no_such_file_or_directory)
    return false;
  using std::filesystem::perms;
  return !ReplaceFileAtomically(path, WithValue(content, section, key, value),
                                perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);
}

std::optional<std::string> HeadlessPlatform::ProfileFileInMemory(std::string_view file) const {
  auto it = state_->profileFiles.find(FoldedName(file));
  if (it == state_->profileFiles.end()) return std::nullopt;
  return it->second;
}

}  // namespace kv::platform
