// Loading VB6 files into the in-memory IDE and rendering them back.
#include "files/ModelLoader.h"

#include <algorithm>

#include <fmt/format.h>

#include "files/Paths.h"
#include "files/ProjectFile.h"
#include "files/SafeFile.h"

namespace kv::files {

namespace fs = std::filesystem;

namespace {

VbString FromPath(const fs::path& p) { return U(p.string()); }

}  // namespace

ModelLoader::ModelLoader(model::ModelVBE& vbe, CodePage& ansi, bool keepOriginals)
    : vbe_(vbe), ansi_(ansi), utf8_(CodePage::Open("utf-8")), keepOriginals_(keepOriginals) {}

ModelLoader::~ModelLoader() = default;

LoadedModule& ModelLoader::Load(model::ModelProject& project, std::string bytes, vbide::ComponentType type,
                                std::string displayName, fs::path path, VbString name) {
  VbString text;
  std::vector<VbStringView> lines;
  auto m = std::make_unique<LoadedModule>();
  m->file = DecodeModuleFile(bytes, type, ansi_, *utf8_, text, lines);
  if (!keepOriginals_) std::string().swap(bytes);  // no second copy of the file while its code is stored
  m->displayName = std::move(displayName);
  m->path = std::move(path);
  if (!m->file.hidden.vbName.empty()) name = m->file.hidden.vbName;
  m->component = &project.AddComponent(std::move(name), m->file.type);
  model::ModelCodeModule& code = m->component->Code();
  code.LoadLines(lines);
  m->revision = code.Revision();
  if (keepOriginals_) m->original = std::move(bytes);
  modules_.push_back(std::move(m));
  return *modules_.back();
}

LoadedModule& ModelLoader::AddModuleFile(model::ModelProject& project, const fs::path& path, std::string displayName,
                                         VbString name) {
  auto type = ModuleTypeOf(path);
  if (!type) throw FileError("is not a VB module file");
  if (name.empty()) name = FromPath(path.stem());
  platform::FileStamp stamp;
  std::string bytes = ReadSourceFile(path, &stamp);
  LoadedModule& m = Load(project, std::move(bytes), *type, std::move(displayName), path, std::move(name));
  m.stamp = stamp;
  return m;
}

LoadedModule& ModelLoader::AddModuleBytes(model::ModelProject& project, std::string bytes, vbide::ComponentType type,
                                          std::string displayName, VbString name) {
  return Load(project, std::move(bytes), type, std::move(displayName), {}, std::move(name));
}

model::ModelProject& ModelLoader::AddProject(const fs::path& vbp, const std::string& displayName,
                                             const Problem& problem) {
  ProjectFile parsed = ParseProjectFile(DecodeSourceText(ReadSourceFile(vbp), ansi_, *utf8_).text);
  VbString projectName = parsed.name.empty() ? FromPath(vbp.stem()) : parsed.name;
  model::ModelProject& project = vbe_.AddProject(projectName);
  fs::path folder = vbp.parent_path();
  fs::path shownFolder = fs::path(displayName).parent_path();

  for (const ProjectMember& member : parsed.members) {
    std::string written = VbToUtf8(member.path);
    // Shown with "/" between folders on every system, as the user wrote it.
    std::string shown = shownFolder.empty() ? written : shownFolder.generic_string() + "/" + written;
    if (!model::ModelComponent::KindHasCode(member.type)) {
      // Never opened: only its name goes into the project.
      std::string plain = written;
      std::replace(plain.begin(), plain.end(), '\\', '/');
      project.AddComponent(FromPath(fs::path(plain).stem()), member.type);
      continue;
    }
    auto found = ResolveWindowsPath(folder, written);
    std::error_code ec;
    if (found && !fs::is_regular_file(*found, ec)) {
      problem(shown, fmt::format("named on line {} of {} is not a file; skipped", member.line, displayName));
      continue;
    }
    if (!found) {
      problem(shown, fmt::format("named on line {} of {} does not exist; skipped", member.line, displayName));
      continue;
    }
    try {
      if (!IsModuleFile(*found)) throw FileError("is not a VB module file");
      platform::FileStamp stamp;
      std::string bytesOf = ReadSourceFile(*found, &stamp);
      Load(project, std::move(bytesOf), member.type, found->generic_string(), *found,
           member.name.empty() ? FromPath(found->stem()) : member.name)
          .stamp = stamp;
    } catch (const FileError& e) {
      throw FileError(fmt::format("{}: {}", found->generic_string(), e.what()));
    }
  }
  return project;
}

std::optional<std::string> ModelLoader::Render(LoadedModule& module) {
  model::ModelCodeModule& code = module.component->Code();
  if (code.Revision() == module.revision) return std::nullopt;
  const model::LineStore& lines = code.AllLines();
  std::string bytes = EncodeModuleFile(module.file, std::vector<VbStringView>(lines.begin(), lines.end()));
  if (bytes.size() == module.file.size && HashBytes(bytes) == module.file.hash &&
      (module.original.empty() || bytes == module.original)) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace kv::files
