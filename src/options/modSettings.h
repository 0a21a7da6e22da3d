// The settings store: every option of the add-in is a text value under one
// application ("Kestrova") and one section ("Kestrovaer"), addressed by key.
//
// The user's own store is an INI file: $KESTROVA_SETTINGS when set, else on
// Linux $XDG_CONFIG_HOME/kestrova/settings.ini, else
// ~/.config/kestrova/settings.ini. On Windows, without $KESTROVA_SETTINGS,
// it is the registry, where the add-in in the IDE keeps it (see
// platform/RegistrySettings.h). A store may also be opened on any named file.
// Any text round-trips exactly; the file's header comment documents the
// escaping. Writes replace the file atomically and keep every other key and
// section; a lock file beside it ("<name>.lock") serialises the writes of
// several processes. A corrupt or unreadable file never fails a read: the reader gets
// its default and one warning is reported. A write to a corrupt file first
// keeps a copy of it beside it ("<name>.corrupt-<time>"), then starts a new
// file; a write to an unreadable file throws.
//
// Besides the raw ReadSetting/WriteSetting this file holds the readers'
// conversions (flags, counts, the language), which each caller applies with
// its own default.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "support/text/VbText.h"

namespace kv {

inline constexpr VbStringView kSettingsApplication = u"Kestrova";
inline constexpr VbStringView kSettingsSection = u"Kestrovaer";

class SettingsStore {
 public:
  using WarningSink = std::function<void(std::string_view message)>;

  // The per-user file named above; on Windows, $KESTROVA_SETTINGS or empty
  // (the registry).
  static std::filesystem::path DefaultPath();

  // The store on `file`; without one, the user's own store named above.
  explicit SettingsStore(std::optional<std::filesystem::path> file);
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;
  ~SettingsStore();

  // The file of the user's store; empty when it is the registry.
  const std::filesystem::path& Path() const;
  // Where the user's store is, for messages: the file or the registry key.
  std::string Location() const;

  // The text stored under `key`, or `defaultValue` when the key is absent.
  VbString ReadSetting(VbStringView key, VbStringView defaultValue);
  // Creates the key or replaces its text. Throws VbError when the file cannot
  // be written; the file is then left as it was.
  void WriteSetting(VbStringView key, VbStringView value);
  // Whether the key is stored at all.
  bool HasSetting(VbStringView key);
  // Which file a read of the key takes its text from.
  enum class Origin { Default, User, Team };
  Origin SourceOf(VbStringView key);
  // The override file, if any.
  std::optional<std::filesystem::path> OverridePath() const;

  // A read-only file of the same format whose keys, where present, win over
  // the per-user file (a team's options beside its code). Empty: none.
  void SetOverride(std::optional<std::filesystem::path> file);

  // Where warnings about an unreadable file go (default: standard error).
  void SetWarningSink(WarningSink sink);

  // While a batch lives, each file is looked at once: the keys read together
  // (the indentation options of a module) come from one version of it, for
  // one stat instead of one per key. Batches nest.
  class Batch {
   public:
    explicit Batch(SettingsStore& store);
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    ~Batch();

   private:
    SettingsStore& store_;
  };

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// ---- The readers' conversions ----

// On when the text is "Y" in either letter case.
bool IsFlagOn(VbStringView text);
// On only when the text is exactly "Y" (the hot-key registration's reading).
bool IsFlagExactlyOn(VbStringView text);
// The leading decimal number of the text (leading blanks skipped; no number
// gives 0), rounded to a whole number with halves to even. Empty when it does
// not fit a 16-bit signed integer.
std::optional<std::int16_t> ReadCount(VbStringView text);
// The UI language a "Language" value selects: 0 English for "0" and for a text
// that is not a number, 1 Simplified Chinese for any other number.
std::int32_t LanguageFromSetting(VbStringView text);
// The value of a text that is a decimal number as a whole, blanks around it
// allowed: an optional sign, digits and an optional fraction after a point,
// at least one digit. Rounded to a whole number with halves to even, as the
// digits are written; magnitudes beyond 10^12 read as 10^12. Empty when the
// text is no such number (an exponent, a separator, a tab...).
std::optional<std::int64_t> DecimalTextValue(VbStringView text);

}  // namespace kv
