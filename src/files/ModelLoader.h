// VB6 files -> the in-memory IDE, and back.
//
// A module file becomes a component of its kind in a project of the model,
// its code loaded as from a file (lines kept exactly as they are); a .vbp
// becomes a project with every member it names, in its order. Related
// documents and resource files become components without code and their
// files are never opened. Afterwards Render tells, module by module, whether
// the file's bytes change and what they become.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/CodePage.h"
#include "files/ModuleFile.h"
#include "host/model/ModelVBE.h"
#include "platform/WholeFile.h"

namespace kv::files {

struct LoadedModule {
  std::string displayName;      // the path as the user gave it, or the standard input's name
  std::filesystem::path path;   // empty for standard input
  model::ModelComponent* component = nullptr;
  ModuleFile file;
  std::uint64_t revision = 0;   // the code module's revision right after loading
  std::string original;         // the bytes as read, kept only when asked for
  platform::FileStamp stamp;    // the file as read: written back only if it is still that
};

class ModelLoader {
 public:
  // Files that are not UTF-8 are read in `ansi`. With `keepOriginals`, every
  // module keeps the bytes it was read from (for a diff).
  ModelLoader(model::ModelVBE& vbe, CodePage& ansi, bool keepOriginals);
  ~ModelLoader();

  // A module file from disk as a component of `project`; its name is the
  // file's VB_Name, else `name`, else the file's stem. Throws FileError.
  LoadedModule& AddModuleFile(model::ModelProject& project, const std::filesystem::path& path,
                              std::string displayName, VbString name = {});
  // The same from bytes (standard input) of the given kind.
  LoadedModule& AddModuleBytes(model::ModelProject& project, std::string bytes, vbide::ComponentType type,
                               std::string displayName, VbString name);

  // Reports a member of a project that is skipped: its display name and why.
  using Problem = std::function<void(const std::string& file, const std::string& message)>;
  // A .vbp as a new project. A member whose file is missing is reported and
  // skipped; a module file that cannot be read or decoded throws FileError
  // (with its name in the message), since half a project must not be run.
  model::ModelProject& AddProject(const std::filesystem::path& vbp, const std::string& displayName,
                                  const Problem& problem);

  std::vector<std::unique_ptr<LoadedModule>>& Modules() { return modules_; }

  // The module's new bytes, or nothing when they would stay as they are.
  // Throws FileError when the code cannot be written in the file's code page
  // or an Attribute line lost its statement.
  std::optional<std::string> Render(LoadedModule& module);

 private:
  LoadedModule& Load(model::ModelProject& project, std::string bytes, vbide::ComponentType type,
                     std::string displayName, std::filesystem::path path, VbString name);

  model::ModelVBE& vbe_;
  CodePage& ansi_;
  std::unique_ptr<CodePage> utf8_;
  bool keepOriginals_;
  std::vector<std::unique_ptr<LoadedModule>> modules_;
};

}  // namespace kv::files
