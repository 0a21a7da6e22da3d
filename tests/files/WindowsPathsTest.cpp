// Module files on Windows: drive-letter and \\?\ paths, Chinese folder
// names, and the files Windows keeps from being written (read-only, held open
// by another program), which leave the old bytes whole.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "files/SafeFile.h"
#include "support/TempFolder.h"

namespace kv::files {
namespace {

namespace fs = std::filesystem;

// The folder on Wine's Z: drive (the Unix root), or empty on Windows itself.
fs::path OnDriveZ(const fs::path& folder) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (!unixName) return {};
  char* name = unixName(folder.c_str());
  if (!name) return {};
  std::string z = "Z:" + std::string(name);
  HeapFree(GetProcessHeap(), 0, name);
  std::replace(z.begin(), z.end(), '/', '\\');
  return fs::u8path(z);
}

TEST(WindowsPaths, ModulesAreReadAndReplacedOrRefusedWholeOnAnyPath) {
  test::TempFolder dir;
  enum class Hold { None, ReadOnly, OpenElsewhere };
  struct Case {
    const char* name;
    fs::path file;  // as the user names it
    Hold hold;
    const char* error;  // "" when written
  } cases[] = {
      {"drive Z:", OnDriveZ(dir.Path()) / "z" / "z.bas", Hold::None, ""},
      {"\\\\?\\ path", fs::path(L"\\\\?\\" + dir.Path().wstring()) / "long" / "long.bas", Hold::None, ""},
      {"Chinese folder", dir.Path() / fs::u8path("项目 源码") / fs::u8path("模块.bas"), Hold::None, ""},
      {"read-only", dir.Path() / "ro" / "ro.bas", Hold::ReadOnly, "read-only; not written"},
      {"held open", dir.Path() / "open" / "open.bas", Hold::OpenElsewhere, "cannot be written"},
  };
  const std::string before = "Attribute VB_Name = \"m\"\r\nSub A()\r\nEnd Sub\r\n", after = before + "' more\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.file.is_absolute()) continue;  // no Z: drive outside Wine
    test::WriteBytes(c.file, before);
    HANDLE held = INVALID_HANDLE_VALUE;
    if (c.hold == Hold::ReadOnly) SetFileAttributesW(c.file.c_str(), FILE_ATTRIBUTE_READONLY);
    if (c.hold == Hold::OpenElsewhere)
      held = CreateFileW(c.file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    platform::FileStamp stamp;
    std::string error;
    try {
      EXPECT_EQ(ReadSourceFile(c.file, &stamp), before);
      ReplaceModuleFile(c.file, after, &stamp);
    } catch (const FileError& e) {
      error = e.what();
    }
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    SetFileAttributesW(c.file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
    EXPECT_EQ(test::ReadBytes(c.file), *c.error ? before : after);
    EXPECT_EQ(std::distance(fs::directory_iterator(c.file.parent_path()), {}), 1) << "a temporary file was left";
  }
}

}  // namespace
}  // namespace kv::files
#endif
