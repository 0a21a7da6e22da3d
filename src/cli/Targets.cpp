// Expanding the command line's paths, and finding the team options.
#include "cli/Targets.h"

#include <algorithm>
#include <optional>

#include "files/Paths.h"

namespace kv::cli {

namespace fs = std::filesystem;

namespace {

// A link found in a folder counts only when it names a regular module file:
// whoever can write to the folder must not be able to point the run at any
// other file.
bool IsLinkToModule(const fs::path& link) {
  std::error_code ec;
  fs::path target = fs::canonical(link, ec);
  return !ec && fs::is_regular_file(fs::symlink_status(target, ec)) && files::IsModuleFile(target);
}

}  // namespace

std::vector<Target> ExpandTargets(const std::vector<std::string>& paths, const TargetProblem& problem,
                                  const TargetProblem& note) {
  std::vector<Target> targets;
  for (const std::string& given : paths) {
    if (given == "-") {
      targets.push_back({TargetKind::StandardInput, {}, "-"});
      continue;
    }
    fs::path path(given);
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
      std::vector<fs::path> found;
      for (auto it = fs::recursive_directory_iterator(path, ec); !ec && it != fs::recursive_directory_iterator();
           it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (it->is_symlink(ec)) {
          if (!files::IsModuleFile(it->path())) continue;
          if (IsLinkToModule(it->path())) {
            found.push_back(it->path());
          } else if (note) {
            note(it->path().generic_string(), "is a link to a file that is not a VB module file; skipped");
          }
        } else if (it->is_directory(ec) && name.starts_with('.')) {
          it.disable_recursion_pending();
        } else if (it->is_regular_file(ec) && files::IsModuleFile(it->path())) {
          found.push_back(it->path());
        }
      }
      std::sort(found.begin(), found.end());
      if (found.empty()) problem(given, "holds no VB module file");
      for (const fs::path& f : found) targets.push_back({TargetKind::Module, f, f.generic_string()});
    } else if (!fs::exists(path, ec)) {
      problem(given, "does not exist");
    } else if (files::IsProjectFile(path)) {
      targets.push_back({TargetKind::Project, path, given});
    } else if (files::IsModuleFile(path)) {
      targets.push_back({TargetKind::Module, path, given});
    } else {
      problem(given, "is neither a VB module file (.bas .cls .frm .ctl .pag .dob .dsr) nor a project file (.vbp)");
    }
  }
  return targets;
}

std::optional<fs::path> FindTeamSettings(const fs::path& file) {
  std::error_code ec;
  fs::path folder = fs::absolute(file, ec).parent_path();
  if (ec) return std::nullopt;
  while (true) {
    fs::path candidate = folder / kTeamSettingsName;
    if (fs::is_regular_file(candidate, ec)) return candidate;
    if (!folder.has_parent_path() || folder.parent_path() == folder) return std::nullopt;
    folder = folder.parent_path();
  }
}

}  // namespace kv::cli
