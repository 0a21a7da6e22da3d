// Running a command over targets: load, start, compare, write; on one
// thread, or on --jobs threads each with sessions of its own.
#include "cli/CommandRun.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

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
#include "host/modMenus.h"
#include "organize/modOrganize.h"
#include "platform/TemporaryFile.h"

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
  for (VbStringView line : c.Code().AllLines()) {
    if (!IsBlankLine(line)) return true;
  }
  return false;
}

// Commands that change only the code and the caret: a session may serve one
// target after another for them. The others (the add-in's windows, Exit,
// keystrokes to the IDE, commands yet unknown here) get a session per target.
bool SessionMayServeMany(std::int16_t n) {
  return (n >= cmd::kInsertCustomText && n <= cmd::kUncommentBlock) ||
         (n >= cmd::kIndentProcedure && n <= cmd::kIndentProject) ||
         (n >= cmd::kChineseToEnglish && n <= cmd::kPublicToPrivate) || (n >= cmd::kFold && n <= cmd::kAddProLabels);
}

// What running one target printed and found, kept until the targets before it
// are out, so that the output is in the order of the targets whatever the
// number of jobs.
struct TargetResult {
  std::string out;
  std::string err;
  bool flush = false;  // standard input's text went to standard output
  Outcome outcome;
  std::vector<platform::MessageBoxRecord> messages;
  bool ran = false;  // the command ran: `selection` is the active pane's after it
  std::int16_t withoutOperation = 0;  // the command, when the add-in had no operation for it
  std::optional<Selection> selection;
  std::vector<FileReport> files;
  std::exception_ptr error;  // what a worker thread could not handle
};

// One thread's sessions and caches; nothing in it is shared with another.
struct Worker {
  std::map<std::string, std::unique_ptr<files::CodePage>> pages;
  std::map<fs::path, std::optional<fs::path>> teamFiles;       // by folder as written
  std::map<std::string, std::string> pageNames;                // by options file
  std::map<std::string, std::unique_ptr<Session>> sessions;    // by options file
  TargetResult* current = nullptr;

  files::CodePage* Page(const std::string& name) {
    auto it = pages.find(name);
    if (it == pages.end()) it = pages.emplace(name, files::CodePage::Open(name)).first;
    return it->second.get();
  }
  // The team options of a file, looked up once per folder.
  std::optional<fs::path> TeamFile(const fs::path& file) {
    auto it = teamFiles.find(file.parent_path());
    if (it == teamFiles.end()) it = teamFiles.emplace(file.parent_path(), FindTeamSettings(file)).first;
    return it->second;
  }
};

class Runner {
 public:
  Runner(const Options& o, CommandChoice command, Console& console)
      : o_(o), command_(command), io_(console),
        drawProgress_(!o.quiet && TerminalProgress::StandardErrorIsTerminal()) {}

  int Run() {
    auto targets = ExpandTargets(
        o_.paths,
        [&](const std::string& path, const std::string& why) {
          io_.err << fmt::format("kestrova: {}: {}\n", path, why);
          outcome_.Raise(kExitUsage);
        },
        [&](const std::string& path, const std::string& why) {
          if (!o_.quiet) io_.err << fmt::format("kestrova: {}: {}\n", path, why);
        });
    if (std::count_if(targets.begin(), targets.end(), [](const Target& t) { return t.kind == TargetKind::StandardInput; }) > 1) {
      io_.err << "kestrova: standard input (-) can be given only once\n";
      return kExitUsage;
    }
    if (std::error_code ec; o_.settings && !fs::is_regular_file(*o_.settings, ec)) {
      io_.err << fmt::format("kestrova: --settings {}: no such file\n", *o_.settings);
      return kExitUsage;
    }
    if (o_.encoding && !files::CodePage::Open(*o_.encoding)) {
      io_.err << fmt::format("kestrova: unknown code page '{}'; known: {}\n", *o_.encoding, KnownPages());
      return kExitUsage;
    }
    if (o_.report && *o_.report != "-") {
      if (std::optional<std::string> why = ReportPathProblem(targets)) {
        io_.err << fmt::format("kestrova: --report {}: {}\n", *o_.report, *why);
        return kExitUsage;
      }
    }
    unsigned jobs = o_.jobs ? o_.jobs : std::max(1u, std::thread::hardware_concurrency());
    jobs = static_cast<unsigned>(std::min<std::size_t>(jobs, targets.size()));
    if (jobs <= 1) {
      Worker worker;
      for (const Target& t : targets) {
        TargetResult r;
        RunTarget(t, worker, r, drawProgress_);
        Emit(r);
      }
    } else {
      RunInParallel(targets, jobs);
    }
    if (o_.report) WriteReport();
    return outcome_.Code();
  }

 private:
  // Workers take the targets in order; the results go out in that order as
  // soon as all before them are done, and are dropped then. The main thread
  // is one of the workers and puts out what is ready between its own
  // targets: a thread that only waited would be woken for nearly every file,
  // and each wake takes a core from a worker.
  void RunInParallel(const std::vector<Target>& targets, unsigned jobs) {
    const std::size_t n = targets.size();
    std::vector<std::unique_ptr<TargetResult>> results(n);
    std::mutex mutex;
    std::condition_variable done;
    std::size_t next = 0;
    bool waiting = false;  // the main thread sleeps until the next result in order
    auto take = [&]() -> std::optional<std::size_t> {
      std::lock_guard lock(mutex);
      if (next == n) return std::nullopt;
      return next++;
    };
    auto runOne = [&](Worker& worker, std::size_t i) {
      auto r = std::make_unique<TargetResult>();
      try {
        RunTarget(targets[i], worker, *r, false);
      } catch (...) {
        r->error = std::current_exception();  // goes on in the main thread, as with one job
      }
      bool wake;
      {
        std::lock_guard lock(mutex);
        results[i] = std::move(r);
        wake = waiting;
      }
      if (wake) done.notify_one();
    };
    // However this ends, a thrown error included, the workers stop after
    // their current target and are joined before what they share goes.
    struct Crew {
      std::function<void()> stop;
      std::vector<std::thread> threads;
      ~Crew() {
        stop();
        for (std::thread& t : threads) t.join();
      }
    } crew{[&] {
      std::lock_guard lock(mutex);
      next = n;
    }, {}};
    for (unsigned j = 1; j < jobs; ++j) {
      crew.threads.emplace_back([&] {
        Worker worker;
        while (std::optional<std::size_t> i = take()) runOne(worker, *i);
      });
    }
    std::size_t emitted = 0;
    // Puts out the results that are ready in order; with `wait`, all of them.
    auto emitReady = [&](bool wait) {
      do {
        std::vector<std::unique_ptr<TargetResult>> ready;
        {
          std::unique_lock lock(mutex);
          if (wait) {
            waiting = true;
            done.wait(lock, [&] { return results[emitted] != nullptr; });
            waiting = false;
          }
          for (; emitted < n && results[emitted]; ++emitted) {
            ready.push_back(std::move(results[emitted]));
            if (ready.back()->error) break;
          }
        }
        for (std::unique_ptr<TargetResult>& r : ready) {
          if (r->error) std::rethrow_exception(r->error);
          Emit(*r);
        }
      } while (wait && emitted < n);
    };
    Worker worker;
    while (std::optional<std::size_t> i = take()) {
      runOne(worker, *i);
      emitReady(false);
    }
    if (emitted < n) emitReady(true);
  }

  // Prints a target's output and adds it to the report. A settings warning
  // that an earlier target printed already is not repeated.
  void Emit(TargetResult& r) {
    for (std::size_t at = 0; at < r.err.size();) {
      std::size_t end = r.err.find('\n', at);
      end = end == std::string::npos ? r.err.size() : end + 1;
      std::string_view line(r.err.data() + at, end - at);
      if (!line.starts_with("kestrova: warning: ") || warned_.insert(std::string(line)).second) io_.err << line;
      at = end;
    }
    if (!r.out.empty() || r.flush) WriteOut(r.out);
    if (r.withoutOperation) TellNoOperation(r.withoutOperation);
    outcome_.Raise(r.outcome.Code());
    report_.messages.insert(report_.messages.end(), r.messages.begin(), r.messages.end());
    if (r.ran) report_.selection = r.selection;
    report_.files.insert(report_.files.end(), r.files.begin(), r.files.end());
  }

  static void Error(TargetResult& r, const std::string& path, const std::string& why, int code) {
    r.err += fmt::format("kestrova: {}: {}\n", path, why);
    r.outcome.Raise(code);
  }

  // The report never takes the place of a file of the run, nor of any VB
  // file, which a mistyped command line would otherwise overwrite.
  std::optional<std::string> ReportPathProblem(const std::vector<Target>& targets) const {
    fs::path report(*o_.report);
    if (files::IsVbFile(report)) return "a report is never written to a VB file";
    for (const Target& t : targets) {
      std::error_code ec;
      if (!t.path.empty() && fs::equivalent(t.path, report, ec)) return "is one of the files to work on";
    }
    return std::nullopt;
  }

  static std::string KnownPages() {
    std::string all;
    for (const std::string& n : files::CodePage::KnownNames()) all += (all.empty() ? "" : ", ") + n;
    return all;
  }

  SessionSetup Setup(const std::optional<fs::path>& teamFile, files::CodePage* page, Worker& w, bool draw,
                     bool keepOriginals) {
    SessionSetup setup;
    if (o_.settings) setup.settingsFile = fs::path(*o_.settings);
    else setup.teamFile = teamFile;
    setup.codePage = page;
    setup.keepOriginals = keepOriginals;
    setup.progress = draw ? &progress_ : nullptr;
    setup.presenter = [this, &w](const platform::MessageBoxRecord& box) {
      // Every box reads "Kestrovaer: <text>", also the few without a title of
      // their own (an error the IDE reports at connection).
      if (!o_.quiet && w.current) {
        w.current->err += VbToUtf8(box.title.value_or(VbString(kMessageTitle))) + ": " + VbToUtf8(box.text) + "\n";
      }
    };
    setup.warnings = [&w](std::string_view message) {
      if (w.current) w.current->err += fmt::format("kestrova: warning: {}\n", message);
    };
    return setup;
  }

  void RunTarget(const Target& t, Worker& w, TargetResult& r, bool draw) {
    bool stdinTarget = t.kind == TargetKind::StandardInput;
    fs::path where = stdinTarget ? fs::path(o_.stdinName.value_or("-")) : t.path;
    std::string shown = stdinTarget ? o_.stdinName.value_or("-") : t.display;
    bool project = t.kind == TargetKind::Project;
    std::int16_t n = project ? command_.forProject : command_.forModule;
    w.current = &r;

    std::optional<fs::path> team = o_.settings ? std::nullopt : w.TeamFile(where);
    std::string key = team ? team->string() : std::string();
    auto named = w.pageNames.find(key);
    if (named == w.pageNames.end()) {
      SessionSetup probe;
      if (o_.settings) probe.settingsFile = fs::path(*o_.settings);
      else probe.teamFile = team;
      named = w.pageNames.emplace(key, ChooseCodePage(o_.encoding, probe)).first;
    }
    files::CodePage* page = w.Page(named->second);
    if (!page) {
      Error(r, shown, fmt::format("unknown code page '{}' named in {}", named->second,
                                  (o_.settings ? fs::path(*o_.settings) : *team).string()),
            kExitUsage);
      return;
    }

    // A session of the worker's that serves every target with the same
    // options, or one of the target's own.
    bool shared = !stdinTarget && SessionMayServeMany(n);
    std::unique_ptr<Session> own;
    Session* session = nullptr;
    if (shared) {
      std::unique_ptr<Session>& kept = w.sessions[key];
      if (!kept) kept = std::make_unique<Session>(Setup(team, page, w, draw, o_.diff));
      session = kept.get();
      session->NextTarget();
    } else {
      own = std::make_unique<Session>(Setup(team, page, w, draw, o_.diff || stdinTarget));
      session = own.get();
    }
    Session& s = *session;

    // Load.
    model::ModelComponent* active = nullptr;
    try {
      if (project) {
        model::ModelProject& p = s.Loader().AddProject(
            t.path, t.display, [&](const std::string& file, const std::string& why) { Error(r, file, why, kExitUsage); });
        active = ChooseActive(s, p, shown, r);
        if (!active && o_.module) return Close(s, shared);
      } else if (stdinTarget) {
        active = LoadStandardInput(s, shown, r);
        if (!active) return;
      } else {
        model::ModelProject& p = s.Vbe().AddProject(u"Project1");
        active = s.Loader().AddModuleFile(p, t.path, t.display).component;
      }
    } catch (const files::FileError& e) {
      Error(r, project ? t.display : shown, e.what(), kExitUsage);
      if (project) r.err += fmt::format("kestrova: {}: not run, nothing written\n", t.display);
      return Close(s, shared);
    }

    // Run.
    if (active) {
      Selection caret = o_.caret.value_or(Selection{1, 1, 1, 1});
      try {
        if (!CaretFits(*active, caret)) throw VbError(vberr::kInvalidProcedureCall, u"");
        s.Activate(*active, caret);
      } catch (const VbError&) {
        Error(r, shown, fmt::format("--caret {}:{}:{}:{} lies outside the module", caret.startLine, caret.startColumn,
                                    caret.endLine, caret.endColumn),
              kExitUsage);
        return Close(s, shared);
      }
    }
    s.G().foundWords.clear();  // a shared session keeps the last target's list
    const std::int32_t withoutOperation = s.G().gCommandsWithoutOperation;
    bool done = StartCommand(s, n, shared);
    if (s.G().gCommandsWithoutOperation != withoutOperation) r.withoutOperation = n;
    r.messages = s.TargetMessages();
    r.ran = true;
    r.selection = s.ActiveSelection();
    if (!done) {
      // The model may hold half of the command's work: none of it is kept.
      Error(r, shown, "the command failed; nothing written", kExitFailed);
      return Close(s, shared);
    }
    PrintFoundWords(s, r);

    // Write back, releasing each module's code and bytes once it is done.
    for (auto& m : s.Loader().Modules()) {
      Finish(s, *m, stdinTarget, r);
      m->component->Code().Release();
      std::string().swap(m->original);
    }
    Close(s, shared);
  }

  // Once per run: a command the add-in has no operation for is not an error,
  // but a user who chose it expects to hear that nothing was done.
  void TellNoOperation(std::int16_t n) {
    if (toldNoOperation_ || o_.quiet || n < 1 || n > kCommandCount) return;
    toldNoOperation_ = true;
    VbStringView caption = CommandTable()[n - 1].english;
    if (std::size_t close = caption.find(u"] "); close != VbStringView::npos) caption.remove_prefix(close + 2);
    io_.err << fmt::format("kestrova: command {} ({}) has no operation; at most the blank lines at the end of the "
                           "module were dropped\n",
                           n, VbToUtf8(caption));
  }

  // Find Words to All's list, one "file:line:column: text" line per hit, the
  // form editors and terminals make clickable. Lines count in the file.
  void PrintFoundWords(Session& s, TargetResult& r) {
    for (const FoundWord& hit : s.G().foundWords) {
      for (auto& m : s.Loader().Modules()) {
        if (m->component->NameText() != hit.module) continue;
        std::size_t line = static_cast<std::size_t>(hit.line) + m->file.hidden.header.size();
        for (const auto& group : m->file.hidden.attributes) {
          if (group.after + 1 < static_cast<std::size_t>(hit.line)) line += group.lines.size();
        }
        r.out += fmt::format("{}:{}:{}: {}\n", m->displayName, line, hit.column, VbToUtf8(hit.text));
        break;
      }
    }
  }

  // Releases the target's projects at once, so that a worker holds at most
  // one target's code at a time.
  static void Close(Session& s, bool shared) {
    if (shared) s.NextTarget();
  }

  // Whether both ends of the selection lie on the module's lines, at most
  // one column past a line's end.
  static bool CaretFits(model::ModelComponent& c, const Selection& caret) {
    const auto& lines = c.Code().AllLines();
    auto fits = [&](std::int32_t line, std::int32_t column) {
      if (line < 1 || column < 1) return false;
      auto index = static_cast<std::size_t>(line) - 1;
      if (index >= std::max<std::size_t>(lines.size(), 1)) return false;
      std::size_t length = index < lines.size() ? lines[index].size() : 0;
      return static_cast<std::size_t>(column) <= length + 1;
    };
    return fits(caret.startLine, caret.startColumn) && fits(caret.endLine, caret.endColumn);
  }

  model::ModelComponent* LoadStandardInput(Session& s, const std::string& shown, TargetResult& r) {
    vbide::ComponentType type = vbide::ComponentType::StdModule;
    VbString name = u"Module1";
    if (o_.stdinName) {
      auto kind = files::ModuleTypeOf(*o_.stdinName);
      if (!kind) {
        Error(r, *o_.stdinName, "--stdin-name must name a VB module file (.bas .cls .frm .ctl .pag .dob .dsr)",
              kExitUsage);
        return nullptr;
      }
      type = *kind;
      name = U(fs::path(*o_.stdinName).stem().string());
    }
    std::string bytes = ReadStandardInput();
    model::ModelProject& p = s.Vbe().AddProject(u"Project1");
    return s.Loader().AddModuleBytes(p, std::move(bytes), type, shown, name).component;
  }

  // Standard input a block at a time, never holding more than the largest
  // source file and one block.
  std::string ReadStandardInput() {
    constexpr std::size_t kBlock = 64 << 10;
    std::string bytes;
    char block[kBlock];
    while (io_.in.read(block, kBlock) || io_.in.gcount() > 0) {
      auto got = static_cast<std::size_t>(io_.in.gcount());
      if (bytes.size() + got > bytes.capacity()) {
        constexpr auto kMost = static_cast<std::size_t>(files::kMaxSourceSize) + kBlock;
        bytes.reserve(std::min(std::max(bytes.capacity() * 2, bytes.size() + got), kMost));
      }
      bytes.append(block, got);
      if (bytes.size() > files::kMaxSourceSize) {
        throw files::FileError("is more than the 64 MiB a source file may hold");
      }
    }
    // A closed standard input reads as failed (Main), a folder fails its read.
    if (io_.in.bad() || (&io_.in == &std::cin && std::ferror(stdin))) {
      throw files::FileError("standard input cannot be read");
    }
    return bytes;
  }

  // The active code pane of a project: --module, else the first module that
  // holds code, else the first that has a code module at all.
  model::ModelComponent* ChooseActive(Session& s, model::ModelProject& p, const std::string& shown, TargetResult& r) {
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
      Error(r, shown, fmt::format("--module {}: no such module in the project", *o_.module), kExitUsage);
      return nullptr;
    }
    for (auto* c : modules) {
      if (HasCode(*c)) return c;
    }
    return modules.empty() ? nullptr : modules.front();
  }

  void Finish(Session& s, files::LoadedModule& m, bool toStandardOutput, TargetResult& r) {
    std::optional<std::string> bytes;
    try {
      bytes = s.Loader().Render(m);
    } catch (const files::FileError& e) {
      Error(r, m.displayName, std::string(e.what()) + "; not written", kExitFailed);
      r.files.push_back({m.displayName, false, FileLines(m)});
      return;
    }
    bool changed = bytes.has_value();
    r.files.push_back({m.displayName, changed, FileLines(m)});
    if (changed && (o_.check || o_.diff)) r.outcome.Raise(kExitChanges);

    if (o_.diff && changed) {
      std::string before = m.original.empty() && !m.path.empty() ? ReadBack(m) : m.original;
      std::string_view name = m.displayName;
      if (name.starts_with('/')) name.remove_prefix(1);
      r.out += UnifiedDiff(before, *bytes, fmt::format("a/{}", name), fmt::format("b/{}", name));
    }
    if (o_.check && changed && !o_.quiet && !o_.diff) r.out += m.displayName + "\n";
    if (o_.check || o_.diff) return;
    if (toStandardOutput) {
      r.out += changed ? *bytes : m.original;
      r.flush = true;
      return;
    }
    if (!changed) return;
#ifndef _WIN32
    // What an earlier run killed in this folder left behind goes first.
    if (FirstWriteIn(m.path.parent_path())) platform::RemoveStaleTemporaryFiles(m.path.parent_path());
#endif
    try {
      files::ReplaceModuleFile(m.path, *bytes, &m.stamp);
    } catch (const files::FileError& e) {
      Error(r, m.displayName, e.what(), kExitFailed);
    }
  }

  // Writes to standard output and flushes it; a failed write (a full disk, a
  // closed pipe) fails the run, reported once.
  void WriteOut(std::string_view text) {
    io_.out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (io_.out.flush()) return;
    if (!outputFailed_) io_.err << "kestrova: standard output: cannot be written\n";
    outcome_.Raise(kExitFailed);
    outputFailed_ = true;
  }

  // Whether this is the run's first write in the folder.
  bool FirstWriteIn(const fs::path& folder) {
    std::lock_guard lock(sweptMutex_);
    return swept_.insert(folder).second;
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
      WriteOut(json);
      return;
    }
    std::ofstream f(*o_.report, std::ios::binary | std::ios::trunc);
    f << json;
    f.close();
    if (!f) {
      io_.err << fmt::format("kestrova: {}: the report cannot be written\n", *o_.report);
      outcome_.Raise(kExitFailed);
    }
  }

  const Options& o_;
  CommandChoice command_;
  Console& io_;
  bool drawProgress_;
  TerminalProgress progress_;
  Outcome outcome_;
  bool outputFailed_ = false;
  std::mutex sweptMutex_;  // workers write in parallel
  std::set<fs::path> swept_;
  bool toldNoOperation_ = false;
  Report report_;
  std::set<std::string> warned_;
};

}  // namespace

int RunCommandOnTargets(const Options& options, CommandChoice command, Console& console) {
  return Runner(options, command, console).Run();
}

}  // namespace kv::cli
