// On Windows the user's options live in the registry, as VB's SaveSetting
// keeps them, where the add-in in the IDE and the kestrova command share
// them; a named settings file and a team file work as on Linux.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <stdlib.h>

#include "options/modSettings.h"
#include "support/TempFolder.h"

namespace kv {
namespace {

constexpr const wchar_t* kKey = L"Software\\VB and VBA Program Settings\\Kestrova\\Kestrovaer";

std::wstring RegistryText(const wchar_t* name) {
  wchar_t text[64] = {};
  DWORD size = sizeof text;
  LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_SZ, nullptr, text, &size);
  return status == ERROR_SUCCESS ? text : L"(none)";
}

TEST(SettingsRegistry, TheUsersStoreIsTheKeyVbKeepsProgramSettingsUnder) {
  _wputenv_s(L"KESTROVA_SETTINGS", L"");  // the user's own store, not a test file
  RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
  SettingsStore store(std::nullopt);
  EXPECT_EQ(store.Location(), "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Kestrova\\Kestrovaer");
  EXPECT_EQ(store.SourceOf(u"IndentSpaces"), SettingsStore::Origin::Default);
  store.WriteSetting(u"IndentSpaces", u"3");
  store.WriteSetting(u"ProcedureHeader", u"' 作者 = \"x\"\r\n'");
  EXPECT_EQ(RegistryText(L"IndentSpaces"), L"3");
  EXPECT_EQ(store.ReadSetting(u"indentspaces", u"4"), u"3");  // names compare without regard to case
  EXPECT_EQ(store.ReadSetting(u"ProcedureHeader", u""), u"' 作者 = \"x\"\r\n'");
  RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Language", REG_SZ, L"1", 4);  // as the IDE's add-in saves it
  EXPECT_EQ(SettingsStore(std::nullopt).ReadSetting(u"Language", u"0"), u"1");

  test::TempFolder dir;
  dir.Write("team.ini", "[Kestrovaer]\nIndentSpaces=8\n");
  store.SetOverride(dir / "team.ini");
  EXPECT_EQ(store.ReadSetting(u"IndentSpaces", u"4"), u"8");
  EXPECT_EQ(store.SourceOf(u"Language"), SettingsStore::Origin::User);
  SettingsStore file(dir / "named.ini");  // --settings FILE
  file.WriteSetting(u"IndentSpaces", u"2");
  EXPECT_EQ(RegistryText(L"IndentSpaces"), L"3");
  EXPECT_NE(test::ReadBytes(dir / "named.ini").find("IndentSpaces=2"), std::string::npos);
  RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
}

}  // namespace
}  // namespace kv
#endif
