// Running a command over targets: load, start, compare, write.
#include "cli/CommandRun.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>

#include <fmt/format.h>

#include "cli/Cli.h"
#include "cli/Diff.h"
#include "cli/Report.h"
#include "cli/Session.h"
#include "cli/StartCommand.h"
#include "cli/Targets.h"
#include "cli/TerminalProgress.h"
#include "files/Paths.h"
#include "files/SafeFile.h"

namespace kv::cli {

namespace fs = std::filesystem;

namespace {

// The exit code: the most serious outcome wins (3 over 2 over 1 over 0).
class Outcome {
 public:
  void Raise(int code) {
    auto rank = [](int c) { return c == kExitFailed ? 3 : c == kExitUsage ? 2 : c == kExitChanges ? 1 : 0; };
    if (rank(code) > rank(code_)) code_ = code;
  }
  int Code() const { return code_; }

 private:
  int code_ = kExitOk;
};

// The number of lines of the file as it is now: its code and hidden lines.
std::size_t FileLines(const files::LoadedModule& m) {
  std::size_t n = m.component->Code().AllLines().size() + m.file.hidden.header.size();
  for (const auto& g : m.file.hidden.attributes) n += g.lines.size();
  return n;
}

bool HasCode(model::ModelComponent& c) {
  if (!c.HasCode()) return false;
  for (const VbString& line : c.Code().AllLines()) {
    if (!IsBlankLine(line)) return true;
  }
  return false;
}

class Runner {
 public:
  Runner(const Options& o, CommandChoice command, Console& console)
      : o_(o), command_(command), io_(console),
        drawProgress_(!o.quiet && TerminalProgress::StandardErrorIsTerminal()) {}

  int Run() {
    auto targets = ExpandTargets(o_.paths, [&](const std::string& path, const std::string& why) {
      Error(path, why, kExitUsage);
    });
    if (std::count_if(targets.begin(), targets.end(), [](const Target& t) { return t.kind == TargetKind::StandardInput; }) > 1) {
      io_.err << "kestrova: standard input (-) can be given only once\n";
      return kExitUsage;
    }
    if (std::error_code ec; o_.settings && !fs::is_regular_file(*o_.settings, ec)) {
      io_.err << fmt::format("kestrova: --settings {}: no such file\n", *o_.settings);
      return kExitUsage;
    }
    if (o_.encoding && !Page(*o_.encoding)) {
      io_.err << fmt::format("kestrova: unknown code page '{}'; known: {}\n", *o_.encoding, KnownPages());
      return kExitUsage;
    }
    for (const Target& t : targets) RunTarget(t);
    if (o_.report) WriteReport();
    return outcome_.Code();
  }

 private:
  void Error(const std::string& path, const std::string& why, int code) {
    io_.err << fmt::format("kestrova: {}: {}\n", path, why);
    outcome_.Raise(code);
  }

  static std::string KnownPages() {
    std::string all;
    for (const std::string& n : files::CodePage::KnownNames()) all += (all.empty() ? "" : ", ") + n;
    return all;
  }

  files::CodePage* Page(const std::string& name) {
    auto it = pages_.find(name);
    if (it == pages_.end()) it = pages_.emplace(name, files::CodePage::Open(name)).first;
    return it->second.get();
  }

  void RunTarget(const Target& t) {
    bool stdinTarget = t.kind == TargetKind::StandardInput;
    fs::path where = stdinTarget ? fs::path(o_.stdinName.value_or("-")) : t.path;
    std::string shown = stdinTarget ? o_.stdinName.value_or("-") : t.display;

    SessionSetup setup;
    if (o_.settings) setup.settingsFile = fs::path(*o_.settings);
    else setup.teamFile = FindTeamSettings(where);
    std::string pageName = ChooseCodePage(o_.encoding, setup);
    setup.codePage = Page(pageName);
    if (!setup.codePage) {
      Error(shown, fmt::format("unknown code page '{}' named in {}", pageName,
                               (setup.settingsFile ? *setup.settingsFile : *setup.teamFile).string()),
            kExitUsage);
      return;
    }
    setup.keepOriginals = o_.diff || stdinTarget;
    setup.progress = drawProgress_ ? &progress_ : nullptr;
    setup.presenter = [this](const platform::MessageBoxRecord& box) {
      // Every box reads "Kestrovaer: <text>", also the few without a title of
      // their own (an error the IDE reports at connection).
      if (!o_.quiet) io_.err << VbToUtf8(box.title.value_or(VbString(kMessageTitle))) << ": " << VbToUtf8(box.text) << "\n";
    };
    Session s(setup);

    // Load.
    model::ModelComponent* active = nullptr;
    bool project = t.kind == TargetKind::Project;
    try {
      if (project) {
        model::ModelProject& p = s.Loader().AddProject(
            t.path, t.display, [&](const std::string& file, const std::string& why) { Error(file, why, kExitUsage); });
        active = ChooseActive(s, p, shown);
        if (!active && o_.module) return;
      } else if (stdinTarget) {
        active = LoadStandardInput(s, shown);
        if (!active) return;
      } else {
        model::ModelProject& p = s.Vbe().AddProject(u"Project1");
        active = s.Loader().AddModuleFile(p, t.path, t.display).component;
      }
    } catch (const files::FileError& e) {
      Error(project ? t.display : shown, e.what(), kExitUsage);
      if (project) io_.err << fmt::format("kestrova: {}: not run, nothing written\n", t.display);
      return;
    }

    // Run.
    if (active) {
      Selection caret = o_.caret.value_or(Selection{1, 1, 1, 1});
      try {
        s.Activate(*active, caret);
      } catch (const VbError&) {
        Error(shown, fmt::format("--caret {}:{}:{}:{} lies outside the module", caret.startLine, caret.startColumn,
                                 caret.endLine, caret.endColumn),
              kExitUsage);
        return;
      }
    }
    if (!StartCommand(s, project ? command_.forProject : command_.forModule)) outcome_.Raise(kExitFailed);
    const auto& boxes = s.Platform().MessageBoxes();
    report_.messages.insert(report_.messages.end(), boxes.begin(), boxes.end());
    report_.selection = s.ActiveSelection();
    PrintFoundWords(s);

    // Write back.
    for (auto& m : s.Loader().Modules()) Finish(s, *m, stdinTarget);
  }

  // Find Words to All's list, one "file:line:column: text" line per hit, the
  // form editors and terminals make clickable. Lines count in the file.
  void PrintFoundWords(Session& s) {
    for (const FoundWord& hit : s.G().foundWords) {
      for (auto& m : s.Loader().Modules()) {
        if (m->component->NameText() != hit.module) continue;
        std::size_t line = static_cast<std::size_t>(hit.line) + m->file.hidden.header.size();
        for (const auto& group : m->file.hidden.attributes) {
          if (group.after + 1 < static_cast<std::size_t>(hit.line)) line += group.lines.size();
        }
        io_.out << fmt::format("{}:{}:{}: {}\n", m->displayName, line, hit.column, VbToUtf8(hit.text));
        break;
      }
    }
  }

  model::ModelComponent* LoadStandardInput(Session& s, const std::string& shown) {
    vbide::ComponentType type = vbide::ComponentType::StdModule;
    VbString name = u"Module1";
    if (o_.stdinName) {
      auto kind = files::ModuleTypeOf(*o_.stdinName);
      if (!kind) {
        Error(*o_.stdinName, "--stdin-name must name a VB module file (.bas .cls .frm .ctl .pag .dob .dsr)", kExitUsage);
        return nullptr;
      }
      type = *kind;
      name = U(fs::path(*o_.stdinName).stem().string());
    }
    std::string bytes(std::istreambuf_iterator<char>(io_.in), {});
    if (bytes.size() > files::kMaxSourceSize) throw files::FileError("is more than the 64 MiB a source file may hold");
    model::ModelProject& p = s.Vbe().AddProject(u"Project1");
    return s.Loader().AddModuleBytes(p, std::move(bytes), type, shown, name).component;
  }

  // The active code pane of a project: --module, else the first module that
  // holds code, else the first that has a code module at all.
  model::ModelComponent* ChooseActive(Session& s, model::ModelProject& p, const std::string& shown) {
    std::vector<model::ModelComponent*> modules;
    for (auto& c : p.Components()) {
      if (c->HasCode()) modules.push_back(c.get());
    }
    if (o_.module) {
      for (auto* c : modules) {
        if (EqualsNoCase(c->NameText(), U(*o_.module))) return c;
      }
      for (auto& m : s.Loader().Modules()) {
        std::error_code ec;
        if (!m->path.empty() && fs::equivalent(m->path, *o_.module, ec) && !ec) return m->component;
      }
      Error(shown, fmt::format("--module {}: no such module in the project", *o_.module), kExitUsage);
      return nullptr;
    }
    for (auto* c : modules) {
      if (HasCode(*c)) return c;
    }
    return modules.empty() ? nullptr : modules.front();
  }

  void Finish(Session& s, files::LoadedModule& m, bool toStandardOutput) {
    std::optional<std::string> bytes;
    try {
      bytes = s.Loader().Render(m);
    } catch (const files::FileError& e) {
      Error(m.displayName, std::string(e.what()) + "; not written", kExitFailed);
      report_.files.push_back({m.displayName, false, FileLines(m)});
      return;
    }
    bool changed = bytes.has_value();
    report_.files.push_back({m.displayName, changed, FileLines(m)});
    if (changed && (o_.check || o_.diff)) outcome_.Raise(kExitChanges);

    if (o_.diff && changed) {
      std::string before = m.original.empty() && !m.path.empty() ? ReadBack(m) : m.original;
      std::string_view name = m.displayName;
      if (name.starts_with('/')) name.remove_prefix(1);
      io_.out << UnifiedDiff(before, *bytes, fmt::format("a/{}", name), fmt::format("b/{}", name));
    }
    if (o_.check && changed && !o_.quiet && !o_.diff) io_.out << m.displayName << "\n";
    if (o_.check || o_.diff) return;
    if (toStandardOutput) {
      io_.out << (changed ? *bytes : m.original);
      io_.out.flush();
      return;
    }
    if (!changed) return;
    try {
      files::ReplaceModuleFile(m.path, *bytes);
    } catch (const files::FileError& e) {
      Error(m.displayName, e.what(), kExitFailed);
    }
  }

  static std::string ReadBack(const files::LoadedModule& m) {
    try {
      return files::ReadSourceFile(m.path);
    } catch (const files::FileError&) {
      return {};
    }
  }

  void WriteReport() {
    std::string json = report_.Json();
    if (*o_.report == "-") {
      io_.out << json;
      return;
    }
    std::ofstream f(*o_.report, std::ios::binary | std::ios::trunc);
    f << json;
    if (!f.flush()) Error(*o_.report, "the report cannot be written", kExitFailed);
  }

  const Options& o_;
  CommandChoice command_;
  Console& io_;
  bool drawProgress_;
  TerminalProgress progress_;
  Outcome outcome_;
  Report report_;
  std::map<std::string, std::unique_ptr<files::CodePage>> pages_;
};

}  // namespace

int RunCommandOnTargets(const Options& options, CommandChoice command, Console& console) {
  return Runner(options, command, console).Run();
}

}  // namespace kv::cli
