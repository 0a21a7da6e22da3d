// Paths as Windows wrote them: slashes, case-insensitive look-up, extensions.
#include "files/Paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

namespace kv::files {

namespace fs = std::filesystem;

namespace {

bool SameNoCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return lower(x) == lower(y);
         });
}

#ifndef _WIN32
bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(p, ec);
}

// The entry of `folder` whose name matches `name` without regard to case;
// the first in byte order when several do.
std::optional<fs::path> FindNoCase(const fs::path& folder, std::string_view name) {
  std::error_code ec;
  std::vector<std::string> found;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (SameNoCase(entry, name)) found.push_back(std::move(entry));
  }
  if (found.empty()) return std::nullopt;
  return folder / *std::min_element(found.begin(), found.end());
}

#endif

#ifdef _WIN32
// Windows finds a name in any letter case by itself; the name returned is the
// one on disk, so the paths shown are the same as on Linux.
std::optional<fs::path> OnDisk(const fs::path& folder, std::string_view name) {
  fs::path wanted = folder / fs::u8path(name);
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(wanted.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  return folder / found.cFileName;
}
#endif

}  // namespace

std::optional<fs::path> ResolveWindowsPath(const fs::path& base, std::string_view windowsPath) {
  std::string path(windowsPath);
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.size() >= 2 && path[1] == ':') return std::nullopt;  // C:\...: another machine's disk
  fs::path exact = path.starts_with('/') ? fs::path(path) : base / path;
#ifndef _WIN32
  if (Exists(exact)) return exact;
#endif

  fs::path at = path.starts_with('/') ? fs::path("/") : (base.empty() ? fs::path(".") : base);
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    std::string_view part = std::string_view(path).substr(start, slash - start);
    start = slash + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      at = at / "..";
      continue;
    }
#ifdef _WIN32
    if (part.find_first_of("*?") != std::string_view::npos) return std::nullopt;  // no wildcards in a name
    if (auto found = OnDisk(at, part)) {
#else
    if (Exists(at / part)) {
      at = at / part;
    } else if (auto found = FindNoCase(at, part)) {
#endif
      at = *found;
    } else {
      return std::nullopt;
    }
  }
  return at;
}

std::optional<vbide::ComponentType> ModuleTypeOf(const fs::path& file) {
  using vbide::ComponentType;
  std::string ext = file.extension().string();
  struct Kind {
    std::string_view ext;
    ComponentType type;
  };
  static constexpr Kind kKinds[] = {
      {".bas", ComponentType::StdModule},   {".cls", ComponentType::ClassModule},
      {".frm", ComponentType::VBForm},      {".ctl", ComponentType::UserControl},
      {".pag", ComponentType::PropPage},    {".dob", ComponentType::DocObject},
      {".dsr", ComponentType::ActiveXDesigner},
  };
  for (const Kind& k : kKinds) {
    if (SameNoCase(ext, k.ext)) return k.type;
  }
  return std::nullopt;
}

bool IsProjectFile(const fs::path& file) { return SameNoCase(file.extension().string(), ".vbp"); }

bool IsVbFile(const fs::path& file) {
  if (IsModuleFile(file) || IsProjectFile(file)) return true;
  std::string ext = file.extension().string();
  for (const char* other : {".vbg", ".vbw", ".frx", ".ctx", ".pgx", ".dox", ".dsx", ".res"}) {
    if (SameNoCase(ext, other)) return true;
  }
  return false;
}

}  // namespace kv::files
