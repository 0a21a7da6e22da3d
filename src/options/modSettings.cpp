// The settings store over a per-user INI file.
//
// Reads are frequent (the indentation routine reads seven keys per module),
// so each file is parsed once and kept with its stamp (device, inode, size,
// modification time); a read costs a stat of the file and a map lookup, and
// the file is parsed again only when its stamp changes. Writes never use the
// cache: they read the file afresh, change the one key's line, and replace
// the file atomically, so keys another process added meanwhile survive.
//
// A file that is not valid UTF-8, holds a NUL byte, or has a line that is no
// comment, section or entry is corrupt; a file that cannot be opened or is
// not a regular file is unreadable. Either way every read gets its default
// and the warning sink hears of it once, until the file is sound again. A
// write to a corrupt file first copies it to "<name>.corrupt-<time>", then
// starts a new file: what the add-in could not parse is kept, not silently
// rewritten, and the sink is told where. A write to an unreadable file is
// refused with a VbError and changes nothing.
#include "options/modSettings.h"

#include <fmt/chrono.h>
#include <fmt/format.h>
#include <fmt/std.h>
#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "host/VbError.h"
#include "options/SettingsEscaping.h"
#include "platform/IniText.h"
#include "platform/WholeFile.h"
#ifdef _WIN32
#include "platform/RegistrySettings.h"
#endif

namespace kv {

namespace fs = std::filesystem;
using platform::FileStamp;
using platform::IniLine;
using platform::IniText;

namespace {

constexpr std::int32_t kPathFileAccessError = 75;
constexpr std::size_t kMaxFileSize = std::size_t{16} << 20;

std::string SectionName() { return VbToUtf8(kSettingsSection); }

bool IsSection(std::string_view name) { return platform::IniNamesEqual(name, SectionName()); }

// Keys compare without regard to ASCII case, as the platform's store does.
VbString KeyOf(VbStringView key) { return LCase(key); }

bool IsValidUtf8(std::string_view text) { return VbToUtf8(U(text)) == text; }

// What is wrong with a file's text, or nothing.
std::optional<std::string> Defect(std::string_view content, const IniText& ini) {
  if (content.find('\0') != std::string_view::npos) return "it holds a NUL byte";
  if (!IsValidUtf8(content)) return "it is not valid UTF-8";
  if (std::size_t bad = ini.FirstMalformed(); bad != IniText::npos)
    return fmt::format("line {} is neither a comment, a [section] nor a key=value entry", bad + 1);
  return std::nullopt;
}

[[noreturn]] void RaiseFileError(const fs::path& file, std::error_code error) {
  bool denied = error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
                error == std::errc::read_only_file_system;
  Raise(denied ? vberr::kPermissionDenied : kPathFileAccessError,
        U(fmt::format("Cannot write the settings file {}: {}", file, error.message())));
}

// One file of settings and what was last parsed from it.
struct Source {
  fs::path path;
  bool loaded = false;
  FileStamp stamp;
  std::unordered_map<VbString, VbString> values;  // by KeyOf(key)
  bool warned = false;                            // the current fault was reported
  bool checked = false;                           // looked at in the open batch

  // Brings the values up to date with the file; reports a fault once. In a
  // batch only the first read looks.
  void Refresh(const SettingsStore::WarningSink& warn, bool inBatch) {
    if (checked) return;
    checked = inBatch;
    std::error_code error;
    FileStamp now = platform::StampOf(path, error);
    if (!error && loaded && now == stamp) return;
    values.clear();
    loaded = false;
    std::optional<std::string> fault;
    std::string content;
    if (error) {
      fault = fmt::format("it cannot be read ({})", error.message());
    } else if (!now.exists) {
      stamp = now;
      loaded = true;
    } else if (error = platform::ReadWholeFile(path, content, &stamp, kMaxFileSize); error) {
      if (error == std::errc::no_such_file_or_directory) return;  // gone since the stat; next read looks again
      fault = fmt::format("it cannot be read ({})", error.message());
    } else {
      loaded = true;  // a corrupt file stays corrupt until its stamp changes
      IniText ini(content, "\n");
      fault = Defect(content, ini);
      if (!fault) Load(ini);
    }
    if (!fault) {
      warned = false;
    } else if (!warned) {
      warned = true;
      warn(fmt::format("settings file {}: {}; the options use their defaults", path, *fault));
    }
  }

  void Load(const IniText& ini) {
    bool inSection = false;
    for (const IniLine& line : ini.Lines()) {
      if (line.kind == IniLine::Kind::Section) inSection = IsSection(line.name);
      if (inSection && line.kind == IniLine::Kind::Entry) {
        // The first entry of a key wins, as the writer changes the first.
        values.try_emplace(KeyOf(settings::Unescape(line.name)), settings::Unescape(line.value));
      }
    }
  }

  const VbString* Find(const VbString& key) const {
    auto it = values.find(key);
    return it == values.end() ? nullptr : &it->second;
  }
};

void WarnOnStandardError(std::string_view message) {
  std::fputs(fmt::format("kestrova: warning: {}\n", message).c_str(), stderr);
}

#ifndef _WIN32
std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}
#endif

// Keeps a corrupt file under a name of its own before it is replaced.
fs::path KeepCorruptCopy(const fs::path& file) {
  std::string stem =
      fmt::format("{}.corrupt-{:%Y%m%d-%H%M%S}", file.filename().string(),
                  fmt::localtime(std::chrono::system_clock::to_time_t(std::chrono::system_clock::now())));
  for (int n = 1;; ++n) {
    fs::path copy = file.parent_path() / (n == 1 ? stem : fmt::format("{}-{}", stem, n));
    std::error_code error;
    if (fs::copy_file(file, copy, fs::copy_options::none, error)) return copy;
    if (error == std::errc::interrupted) {
      // A signal came in while copying: what was copied is ours; start again.
      fs::remove(copy, error);
      --n;
      continue;
    }
    if (error != std::errc::file_exists) RaiseFileError(copy, error);
  }
}

}  // namespace

#ifdef _WIN32
// The user's store in the registry. Each read asks the registry, which keeps
// its own cache; a key that cannot be read is reported once, until it can.
struct RegistrySource {
  platform::RegistrySettings key{kSettingsApplication, kSettingsSection};
  VbString last;  // the value a read returned
  bool warned = false;

  const VbString* Find(VbStringView name, const SettingsStore::WarningSink& warn) {
    std::error_code error;
    std::optional<VbString> value = key.Get(name, error);
    if (error && !warned) warn(fmt::format("settings {}: {}; the options use their defaults", key.Name(), error.message()));
    warned = bool(error);
    if (!value) return nullptr;
    last = std::move(*value);
    return &last;
  }
};
#endif

struct SettingsStore::Impl {
  Source user;
#ifdef _WIN32
  std::optional<RegistrySource> registry;  // instead of the user's file
#endif
  std::optional<Source> teams;
  WarningSink warn = WarnOnStandardError;
  int batches = 0;

  const VbString* FindUser(VbStringView key) {
#ifdef _WIN32
    if (registry) return registry->Find(key, warn);
#endif
    user.Refresh(warn, batches > 0);
    return user.Find(KeyOf(key));
  }

  const VbString* Find(VbStringView key) {
    if (teams) {
      teams->Refresh(warn, batches > 0);
      if (const VbString* value = teams->Find(KeyOf(key))) return value;
    }
    return FindUser(key);
  }
};

fs::path SettingsStore::DefaultPath() {
#ifdef _WIN32
  // Read wide, for any name.
  const wchar_t* file = _wgetenv(L"KESTROVA_SETTINGS");
  return file ? fs::path(file) : fs::path();
#else
  if (std::string file = Environment("KESTROVA_SETTINGS"); !file.empty()) return file;
  fs::path config = Environment("XDG_CONFIG_HOME");
  if (config.empty() || config.is_relative()) {  // a relative value is to be ignored
    fs::path home = Environment("HOME");
    if (home.empty()) {
      if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) home = entry->pw_dir;
    }
    config = home / ".config";
  }
  return config / "kestrova" / "settings.ini";
#endif
}

SettingsStore::SettingsStore(std::optional<fs::path> file) : impl_(std::make_unique<Impl>()) {
  impl_->user.path = file ? std::move(*file) : DefaultPath();
#ifdef _WIN32
  if (impl_->user.path.empty()) impl_->registry.emplace();
#endif
}

SettingsStore::~SettingsStore() = default;

const fs::path& SettingsStore::Path() const { return impl_->user.path; }

std::string SettingsStore::Location() const {
#ifdef _WIN32
  if (impl_->registry) return impl_->registry->key.Name();
#endif
  return impl_->user.path.string();
}

VbString SettingsStore::ReadSetting(VbStringView key, VbStringView defaultValue) {
  const VbString* value = impl_->Find(key);
  return value ? *value : VbString(defaultValue);
}

bool SettingsStore::HasSetting(VbStringView key) { return impl_->Find(key) != nullptr; }

SettingsStore::Origin SettingsStore::SourceOf(VbStringView key) {
  VbString wanted = KeyOf(key);
  if (impl_->teams) {
    impl_->teams->Refresh(impl_->warn, impl_->batches > 0);
    if (impl_->teams->Find(wanted)) return Origin::Team;
  }
  return impl_->FindUser(key) ? Origin::User : Origin::Default;
}

std::optional<fs::path> SettingsStore::OverridePath() const {
  if (!impl_->teams) return std::nullopt;
  return impl_->teams->path;
}

void SettingsStore::WriteSetting(VbStringView key, VbStringView value) {
  if (key.empty()) Raise(vberr::kInvalidProcedureCall, u"Invalid procedure call or argument");
  std::error_code error;
#ifdef _WIN32
  if (impl_->registry) {
    if ((error = impl_->registry->key.Set(key, value))) {
      Raise(error == std::errc::permission_denied ? vberr::kPermissionDenied : kPathFileAccessError,
            U(fmt::format("Cannot write the settings {}: {}", impl_->registry->key.Name(), error.message())));
    }
    return;
  }
#endif
  const fs::path& file = impl_->user.path;
  if (!file.parent_path().empty()) {
    fs::create_directories(file.parent_path(), error);
    if (error) RaiseFileError(file, error);
  }
  // Another process setting a key at the same time would otherwise write
  // its file over this one's, losing one of the two keys.
  platform::FileLock lock(file.string() + ".lock", error);
  if (error) RaiseFileError(file, error);
  std::string content;
  error = platform::ReadWholeFile(file, content, nullptr, kMaxFileSize);
  bool fresh = error == std::errc::no_such_file_or_directory;
  if (error && !fresh) RaiseFileError(file, error);
  if (!fresh) {
    IniText existing(content, "\n");
    if (std::optional<std::string> fault = Defect(content, existing)) {
      fs::path copy = KeepCorruptCopy(file);
      impl_->warn(fmt::format("settings file {}: {}; it was kept as {} and a new file started", file, *fault, copy));
      fresh = true;
    }
  }

  IniText ini(fresh ? settings::kFileHeader : std::string_view(content), "\n");
  std::string escapedKey = settings::EscapeKey(key);
  std::string escapedValue = settings::EscapeValue(value);
  std::size_t header = ini.FindSection(IsSection);
  if (header == IniText::npos) {
    ini.AddSection(SectionName(), escapedKey, escapedValue);
  } else if (std::size_t entry = ini.FindEntry(
                 header, [&](std::string_view name) { return EqualsNoCase(settings::Unescape(name), key); });
             entry == IniText::npos) {
    ini.AddEntry(header, escapedKey, escapedValue);
  } else {
    ini.SetValue(entry, escapedValue);
  }

  using fs::perms;
  if ((error = platform::ReplaceFileAtomically(file, ini.ToString(), perms::owner_read | perms::owner_write)))
    RaiseFileError(file, error);
  impl_->user.loaded = impl_->user.checked = false;  // the next read parses what was written
}

void SettingsStore::SetOverride(std::optional<fs::path> file) {
  impl_->teams.reset();
  if (file && !file->empty()) impl_->teams.emplace().path = std::move(*file);
}

SettingsStore::Batch::Batch(SettingsStore& store) : store_(store) { ++store_.impl_->batches; }

SettingsStore::Batch::~Batch() {
  Impl& impl = *store_.impl_;
  if (--impl.batches > 0) return;
  impl.user.checked = false;
  if (impl.teams) impl.teams->checked = false;
}

void SettingsStore::SetWarningSink(WarningSink sink) { impl_->warn = sink ? std::move(sink) : WarnOnStandardError; }

}  // namespace kv
