// The paths of a command line as things to work on: standard input, module
// files and project files. A folder stands for every module file below it.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv::cli {

enum class TargetKind { StandardInput, Module, Project };

struct Target {
  TargetKind kind = TargetKind::Module;
  std::filesystem::path path;  // empty for standard input
  std::string display;         // as the user wrote it (or found below a folder)
};

// Reports a path that names nothing usable, with the reason.
using TargetProblem = std::function<void(const std::string& path, const std::string& message)>;

// The targets in the order given; a folder's module files in name order
// (folders whose name starts with a dot are skipped). A link found in a
// folder is taken only when it leads to a regular module file; `note` hears
// of the others. A link named on the command line is followed.
std::vector<Target> ExpandTargets(const std::vector<std::string>& paths, const TargetProblem& problem,
                                  const TargetProblem& note = {});

// The team options file for a path: the nearest ".kestrova.ini" in the
// path's folder or a folder above it.
std::optional<std::filesystem::path> FindTeamSettings(const std::filesystem::path& file);

inline constexpr const char* kTeamSettingsName = ".kestrova.ini";

}  // namespace kv::cli
