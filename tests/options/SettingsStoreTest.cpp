// The settings store on real files: round trips, edits that keep the rest of
// the file, the file's location, faulty files and atomic writes. (The team's
// override file: the command's project tests.)
#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/VbError.h"
#include "options/SettingsEscaping.h"
#include "options/modSettings.h"
#include "support/TempFolder.h"

namespace kv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() { Watch(store); }
  void Watch(SettingsStore& s) {
    s.SetWarningSink([this](std::string_view message) { warnings.emplace_back(message); });
  }
  std::string Header() const { return std::string(settings::kFileHeader); }

  TempFolder folder;
  fs::path file = folder / "kestrova" / "settings.ini";
  SettingsStore store{file};
  std::vector<std::string> warnings;
};

TEST_F(SettingsStoreTest, NastyValuesRoundTrip) {
  const VbString loneHigh(1, char16_t(0xD800)), loneLow(1, char16_t(0xDC00));
  const VbString nul(u"a\0b", 3);
  VbString longText;
  for (int i = 0; i < 20000; ++i) longText += u"ab \\\r\n=;[中\t";
  const VbString values[] = {
      u"", u" ", u"  lead", u"trail  ", u" both ", u"in side", u"\t", u"\ttab\t", u"a\r\nb", u"\r\n", u"\n", u"\r",
      u"\"q\"", u"'", u"back\\slash", u"\\", u"ends\\", u"\\s\\t\\x41\\u0041", u"a=b", u"=", u";c", u"#h", u"[s]",
      u"[", u"中文缩进",
      u"😀 x", loneHigh, loneLow, loneLow + loneHigh, nul, u"\x1F\x7F", u"\u0085\u2028\u2029", u"\uFEFFbom", longText,
  };
  int n = 0;
  for (const VbString& value : values) store.WriteSetting(u"K" + ToVb(n++), value);
  SettingsStore reopened(file);
  n = 0;
  for (const VbString& value : values) {
    VbString key = u"K" + ToVb(n++);
    EXPECT_EQ(store.ReadSetting(key, u"?"), value) << VbToUtf8(key);
    EXPECT_EQ(reopened.ReadSetting(key, u"?"), value) << VbToUtf8(key);
  }
  for (VbStringView key : {u"a=b", u"[k", u";k", u"#k", u" k ", u"k\\", u"键", u"k\r\nx"}) {
    store.WriteSetting(key, key);
    EXPECT_EQ(SettingsStore(file).ReadSetting(key, u"?"), key) << VbToUtf8(key);
  }
  EXPECT_TRUE(warnings.empty());
}

TEST_F(SettingsStoreTest, WritesKeepOtherKeysSectionsAndComments) {
  WriteBytes(file,
            "# mine\n[Other]\nIndentSpaces=9\n\n[kestrovaer]\n; spaces\nindentspaces = 2\nLanguage=1\n\n"
            "[Kestrovaer]\nAlignEOL=N\n");
  store.WriteSetting(u"IndentSpaces", u"4");
  store.WriteSetting(u"chkF1", u"Y");
  EXPECT_EQ(ReadBytes(file),
            "# mine\n[Other]\nIndentSpaces=9\n\n[kestrovaer]\n; spaces\nindentspaces = 4\nLanguage=1\nchkF1=Y\n\n"
            "[Kestrovaer]\nAlignEOL=N\n");
  EXPECT_EQ(store.ReadSetting(u"INDENTSPACES", u""), u"4");
  EXPECT_EQ(store.ReadSetting(u"Language", u""), u"1");
  EXPECT_EQ(store.ReadSetting(u"AlignEOL", u""), u"N");  // a second section of the same name adds its keys
}

TEST_F(SettingsStoreTest, ChangesByOthersAreSeenAtTheNextRead) {
  WriteBytes(file, "[Kestrovaer]\nIndentSpaces=4\n");
  EXPECT_EQ(store.ReadSetting(u"IndentSpaces", u""), u"4");
  WriteBytes(file, "[Kestrovaer]\nIndentSpaces=16\n");  // other size
  EXPECT_EQ(store.ReadSetting(u"IndentSpaces", u""), u"16");
  WriteBytes(file, "[Kestrovaer]\nIndentSpaces=32\n");  // same size, later time
  fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5));
  EXPECT_EQ(store.ReadSetting(u"IndentSpaces", u""), u"32");
  WriteBytes(folder / "new.ini", "[Kestrovaer]\nIndentSpaces=64\n");
  fs::rename(folder / "new.ini", file);  // replaced by another file
  EXPECT_EQ(store.ReadSetting(u"IndentSpaces", u""), u"64");
  fs::remove(file);
  EXPECT_EQ(store.ReadSetting(u"IndentSpaces", u"4"), u"4");
  // A batch reads one version of the file; its own writes are seen at once.
  WriteBytes(file, "[Kestrovaer]\nIndentSpaces=2\n");
  {
    SettingsStore::Batch batch(store);
    EXPECT_EQ(store.ReadSetting(u"IndentSpaces", u""), u"2");
    WriteBytes(file, "[Kestrovaer]\nIndentSpaces=3\nAlignEOL=Y\n");
    EXPECT_EQ(store.ReadSetting(u"AlignEOL", u"N"), u"N");
    store.WriteSetting(u"Language", u"1");
    EXPECT_EQ(store.ReadSetting(u"IndentSpaces", u""), u"3");
  }
  WriteBytes(file, "[Kestrovaer]\nIndentSpaces=5\n");
  EXPECT_EQ(store.ReadSetting(u"IndentSpaces", u""), u"5");
}

TEST_F(SettingsStoreTest, WritesReplaceTheFileAtomically) {
  store.WriteSetting(u"A", u"1");
  struct stat before {};
  ::stat(file.c_str(), &before);
  EXPECT_EQ(before.st_mode & 0777, 0600u);  // a new file is the user's own
  ::chmod(file.c_str(), 0640);
  // Held open, the old file keeps its inode, which a new file could reuse.
  const int old = ::open(file.c_str(), O_RDONLY);
  for (int i = 0; i < 5; ++i) store.WriteSetting(u"B", ToVb(i));
  struct stat after {};
  ::stat(file.c_str(), &after);
  EXPECT_NE(after.st_ino, before.st_ino);
  ::close(old);
  EXPECT_EQ(after.st_mode & 0777, 0640u);
  std::vector<std::string> entries;
  for (const auto& entry : fs::directory_iterator(file.parent_path())) entries.push_back(entry.path().filename());
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"settings.ini", "settings.ini.lock"}));  // no temporary file
}

TEST_F(SettingsStoreTest, AFailedWriteThrowsAndChangesNothing) {
  WriteBytes(folder / "kestrova", "a file where the folder should be");
  EXPECT_THROW(store.WriteSetting(u"A", u"1"), VbError);
  EXPECT_THROW(store.WriteSetting(u"", u"1"), VbError);  // no key
  EXPECT_EQ(ReadBytes(folder / "kestrova"), "a file where the folder should be");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"kestrova"});
}

TEST_F(SettingsStoreTest, CorruptFilesGiveDefaultsAndOneWarning) {
  const std::string corrupt[] = {
      "[Kestrovaer]\nIndentSpaces=2\nno equals sign\n",
      "[Kestrovaer\nIndentSpaces=2\n",
      "[Kestrovaer]\nIndentSpaces=2\n=2\n",
      "[Kestrovaer]\nIndentSpaces=2\nx=\xFF\n",
      "[Kestrovaer]\nIndentSpaces=2\nx=\xED\xA0\x80\n",  // a surrogate written as UTF-8
      "\xEF\xBB\xBF[Kestrovaer]\nIndentSpaces=2\nx=\xC3\n",
      std::string("[Kestrovaer]\nIndentSpaces=2\nx=") + '\0' + "\n",
  };
  for (const std::string& content : corrupt) {
    warnings.clear();
    WriteBytes(file, content);
    SettingsStore fresh(file);
    Watch(fresh);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(fresh.ReadSetting(u"IndentSpaces", u"4"), u"4") << content;
    EXPECT_FALSE(fresh.HasSetting(u"IndentSpaces"));
    EXPECT_EQ(warnings.size(), 1u) << content;
  }
}

TEST_F(SettingsStoreTest, UnreadableFilesGiveDefaultsAndOneWarning) {
  fs::create_directories(file);  // a folder where the file should be
  EXPECT_EQ(store.ReadSetting(u"A", u"d"), u"d");
  EXPECT_EQ(store.ReadSetting(u"A", u"d"), u"d");
  EXPECT_EQ(warnings.size(), 1u);
  EXPECT_THROW(store.WriteSetting(u"A", u"1"), VbError);
  EXPECT_TRUE(fs::is_directory(file));

  fs::path pipe = folder / "pipe.ini";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  SettingsStore fromPipe(pipe);  // must neither block nor read forever
  Watch(fromPipe);
  EXPECT_EQ(fromPipe.ReadSetting(u"A", u"d"), u"d");
  EXPECT_EQ(warnings.size(), 2u);
}

TEST_F(SettingsStoreTest, AWriteToACorruptFileKeepsACopyAndStartsAfresh) {
  const std::string broken = "[Kestrovaer]\nIndentSpaces=2\nhand-edited nonsense\n";
  WriteBytes(file, broken);
  store.WriteSetting(u"IndentSpaces", u"4");
  EXPECT_EQ(ReadBytes(file), Header() + "[Kestrovaer]\nIndentSpaces=4\n");
  std::vector<fs::path> copies;
  for (const auto& entry : fs::directory_iterator(file.parent_path()))
    if (entry.path().filename().string().starts_with("settings.ini.corrupt-")) copies.push_back(entry.path());
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(ReadBytes(copies[0]), broken);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find(copies[0].filename().string()), std::string::npos);
  EXPECT_EQ(store.ReadSetting(u"IndentSpaces", u""), u"4");
}

// Sets environment variables for one test and puts the old values back.
class Environment {
 public:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~Environment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
      it->second ? ::setenv(it->first.c_str(), it->second->c_str(), 1) : ::unsetenv(it->first.c_str());
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(SettingsPathTest, EnvironmentChoosesTheFile) {
  const struct { const char* settings; const char* config; const char* home; const char* path; } cases[] = {
      {"/team/k.ini", "/xdg", "/home/u", "/team/k.ini"}, {"", "/xdg", "/home/u", "/xdg/kestrova/settings.ini"},
      {nullptr, "/xdg", "/home/u", "/xdg/kestrova/settings.ini"},
      {nullptr, "", "/home/u", "/home/u/.config/kestrova/settings.ini"},
      {nullptr, nullptr, "/home/u", "/home/u/.config/kestrova/settings.ini"},
      {nullptr, "relative/xdg", "/home/u", "/home/u/.config/kestrova/settings.ini"},
  };
  for (const auto& c : cases) {
    Environment env;
    env.Set("KESTROVA_SETTINGS", c.settings);
    env.Set("XDG_CONFIG_HOME", c.config);
    env.Set("HOME", c.home);
    EXPECT_EQ(SettingsStore::DefaultPath(), fs::path(c.path)) << c.path;
  }
}

}  // namespace
}  // namespace kv
