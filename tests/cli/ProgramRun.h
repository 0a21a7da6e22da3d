// Runs the kestrova program as a child process without a terminal: standard
// input from /dev/null, standard output and error into files, with extra
// environment variables. For tests that must see the program as a script
// would, not Main called inside the test.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/TempFolder.h"

extern char** environ;

namespace kv::testing {

inline std::filesystem::path KestrovaProgram() { return KV_KESTROVA_PROGRAM; }

struct ProgramResult { int code = -1; std::string out; std::string err; };

using test::ReadBytes;

// Where standard input comes from and standard output goes; an empty path
// leaves the stream closed. No output path: the file "stdout.txt".
struct Streams {
  std::string in = "/dev/null";
  std::optional<std::string> out;
};

// Runs kestrova with `args` in `folder`, which also receives the output files.
inline ProgramResult RunKestrova(const std::filesystem::path& folder, std::vector<std::string> args,
                                 const std::vector<std::pair<std::string, std::string>>& env = {},
                                 const Streams& streams = {}) {
  const std::string program = KestrovaProgram().string();
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> environment;
  for (char** e = environ; *e; ++e) {
    std::string entry(*e);
    bool replaced = false;
    for (const auto& [name, value] : env) replaced = replaced || entry.rfind(name + "=", 0) == 0;
    if (!replaced) environment.push_back(entry);
  }
  for (const auto& [name, value] : env) environment.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);

  const std::string out = streams.out.value_or((folder / "stdout.txt").string());
  const std::string err = (folder / "stderr.txt").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (streams.in.empty()) {
    posix_spawn_file_actions_addclose(&actions, STDIN_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, streams.in.c_str(), O_RDONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  ProgramResult result;
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  if (!streams.out) result.out = ReadBytes(out);
  result.err = ReadBytes(err);
  return result;
}

}  // namespace kv::testing
