// Fuzz target: the settings store's file reader, and writes into whatever
// file it finds.
//
// Input: one byte (bits 0-1: how many writes follow, bit 2: no file at all),
// then for each write a key line (empty or one byte: one of the add-in's
// keys) and a value line ("|" stands for LF, "~" for CR, "^" for a lone
// surrogate), then the settings file's bytes.
//
// Every read gives the reader's default or the value the file holds for the
// key: the first entry of the key in the add-in's section, unescaped. After
// the writes, each written key reads as written and every other key as
// before, in this store and in a fresh one.
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "Invariants.h"
#include "Targets.h"
#include "host/VbError.h"
#include "options/SettingsEscaping.h"

namespace kv::fuzz {

namespace {

namespace fs = std::filesystem;

constexpr VbStringView kKeys[] = {u"IndentSpaces", u"IndentProc",     u"IndentFirst",        u"IndentCmt",
                                  u"IndentCase",   u"AlignEOL",       u"AlignEOLCol",        u"Language",
                                  u"chkSave",      u"chkF1",          u"chkF2",              u"chkIndentModHotKey",
                                  u"txtIndentMod", u"chkCtrl1",       u"txtCtrl1",           u"txtCtrl1Target",
                                  u"chkFold",      u"chkUnfold",      u"chkUnfoldAll"};

// A default no file is likely to hold.
constexpr VbStringView kDefault = u"\uE000default\uE001";

std::string_view TrimBlanksAndTabs(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The entries of the add-in's section, in the file's order: key as written
// (unescaped) and value (unescaped).
std::vector<std::pair<VbString, VbString>> SectionEntries(std::string_view content) {
  std::vector<std::pair<VbString, VbString>> out;
  if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
  bool inSection = false;
  while (!content.empty()) {
    const std::size_t lf = content.find('\n');
    std::string_view line = content.substr(0, lf);
    content.remove_prefix(lf == std::string_view::npos ? content.size() : lf + 1);
    if (lf != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
    const std::string_view body = TrimBlanksAndTabs(line);
    if (body.empty() || body[0] == ';' || body[0] == '#') continue;
    if (body[0] == '[') {
      const std::size_t close = body.find(']');
      if (close != std::string_view::npos) {
        inSection = EqualsNoCase(U(TrimBlanksAndTabs(body.substr(1, close - 1))), u"Kestrovaer");
      }
      continue;
    }
    const std::size_t equals = body.find('=');
    if (!inSection || equals == std::string_view::npos || equals == 0) continue;
    out.emplace_back(settings::Unescape(TrimBlanksAndTabs(body.substr(0, equals))),
                     settings::Unescape(TrimBlanksAndTabs(body.substr(equals + 1))));
  }
  return out;
}

std::optional<VbString> StoredValue(const std::vector<std::pair<VbString, VbString>>& entries, VbStringView key) {
  for (const auto& [name, value] : entries) {
    if (EqualsNoCase(name, key)) return value;
  }
  return std::nullopt;
}

VbString ValueText(std::string_view line) {
  VbString value = U(line);
  for (char16_t& c : value) {
    if (c == u'|') c = u'\n';
    if (c == u'~') c = u'\r';
    if (c == u'^') c = u'\xD800';
  }
  return value;
}

// Reads every key and checks each value against the file's entries.
std::map<VbString, VbString> ReadAll(SettingsStore& store, const std::vector<VbString>& keys,
                                     const std::optional<std::string>& content) {
  std::map<VbString, VbString> values;
  const auto entries = content ? SectionEntries(*content) : std::vector<std::pair<VbString, VbString>>{};
  for (const VbString& key : keys) {
    const VbString value = store.ReadSetting(key, kDefault);
    const bool has = store.HasSetting(key);
    if (store.ReadSetting(key, kDefault) != value) Fail("reading " + Show(key) + " twice gave two values");
    if (value != kDefault) {
      const std::optional<VbString> stored = StoredValue(entries, key);
      if (!stored) Fail("the key " + Show(key) + " read as " + Show(value) + ", which the file does not hold");
      if (*stored != value) {
        Fail("the key " + Show(key) + " read as " + Show(value) + ", not as its first entry " + Show(*stored));
      }
      if (!has) Fail("the key " + Show(key) + " has a value but is not stored");
    } else if (has && StoredValue(entries, key) != VbString(kDefault)) {
      Fail("the stored key " + Show(key) + " read as the default");
    }
    values[LCase(key)] = value;
  }
  return values;
}

std::optional<std::string> Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

void FuzzSettings(std::string_view data) {
  FuzzInput in(data);
  const std::uint8_t mode = in.Byte();
  std::vector<std::pair<VbString, VbString>> writes;
  for (int i = 0; i < (mode & 3); ++i) {
    const std::string_view keyLine = in.Line();
    VbString key = keyLine.size() <= 1 ? VbString(kKeys[keyLine.empty() ? 0 : static_cast<std::uint8_t>(keyLine[0]) %
                                                                              std::size(kKeys)])
                                       : U(keyLine);
    writes.emplace_back(std::move(key), ValueText(in.Line()));
  }
  const std::string_view content = in.Rest();

  const fs::path folder = ScratchFolder() / "settings-store";
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  fs::create_directories(folder);
  const fs::path file = folder / "settings.ini";
  if (!(mode & 4)) std::ofstream(file, std::ios::binary) << content;

  std::vector<VbString> keys(std::begin(kKeys), std::end(kKeys));
  for (const auto& [name, value] : SectionEntries(content)) keys.push_back(name);
  for (const auto& [key, value] : writes) keys.push_back(key);
  if (keys.size() > 64) keys.resize(64);

  SettingsStore store(file);
  store.SetWarningSink([](std::string_view) {});
  const std::map<VbString, VbString> before = ReadAll(store, keys, Contents(file));
  if (writes.empty()) return;

  std::map<VbString, VbString> written;
  for (const auto& [key, value] : writes) {
    try {
      store.WriteSetting(key, value);
      if (key.empty()) Fail("a write with an empty key was taken");
      written[LCase(key)] = value;
    } catch (const VbError& e) {
      if (!key.empty()) Fail("writing " + Show(key) + " was refused: " + VbToUtf8(e.Description()));
    }
  }

  const std::optional<std::string> now = Contents(file);
  SettingsStore fresh(file);
  fresh.SetWarningSink([](std::string_view) {});
  for (SettingsStore* s : {&store, &fresh}) {
    const std::map<VbString, VbString> after = ReadAll(*s, keys, now);
    for (const auto& [key, value] : after) {
      const auto w = written.find(key);
      const VbString& expected = w != written.end() ? w->second : before.at(key);
      if (value != expected) {
        Fail("after the writes " + Show(key) + " reads as " + Show(value) + ", expected " + Show(expected));
      }
    }
  }
}

}  // namespace kv::fuzz
