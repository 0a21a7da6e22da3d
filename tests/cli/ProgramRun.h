// Runs the kestrova program as a child process without a terminal: standard
// input from /dev/null, standard output and error into files, with extra
// environment variables. For tests that must see the program as a script
// would, not Main called inside the test.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/TempFolder.h"

#ifndef _WIN32
extern char** environ;
#endif

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

#ifdef _WIN32
// Runs kestrova with `args` in `folder`, which also receives the output files.
inline ProgramResult RunKestrova(const std::filesystem::path& folder, std::vector<std::string> args,
                                 const std::vector<std::pair<std::string, std::string>>& env = {},
                                 const Streams& streams = {}) {
  namespace fs = std::filesystem;
  // The command line, each argument quoted as the C runtime parses it back.
  std::wstring line = L"\"" + KestrovaProgram().wstring() + L"\"";
  for (const std::string& arg : args) {
    std::wstring wide = fs::u8path(arg).wstring(), quoted = L" \"";
    std::size_t slashes = 0;
    for (wchar_t c : wide) {
      if (c == L'\\') { ++slashes; quoted += c; continue; }
      if (c == L'"') quoted.append(slashes + 1, L'\\');
      slashes = 0;
      quoted += c;
    }
    line += quoted.append(slashes, L'\\') + L"\"";
  }
  // The environment with the extra variables in place of any of their names.
  std::wstring block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* e = strings; *e; e += std::wcslen(e) + 1) {
    std::wstring entry(e);
    bool replaced = false;
    for (const auto& [name, value] : env) replaced = replaced || _wcsnicmp(entry.c_str(), fs::u8path(name + "=").c_str(), name.size() + 1) == 0;
    if (!replaced) block += entry + L'\0';
  }
  FreeEnvironmentStringsW(strings);
  for (const auto& [name, value] : env) block += fs::u8path(name + "=" + value).wstring() + L'\0';
  block += L'\0';

  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  auto open = [&](const fs::path& file, bool write) {
    return CreateFileW(file.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  const fs::path out = streams.out ? fs::u8path(*streams.out) : folder / "stdout.txt", err = folder / "stderr.txt";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = streams.in.empty() ? nullptr : open(streams.in == "/dev/null" ? fs::path(L"NUL") : fs::u8path(streams.in), false);
  startup.hStdOutput = open(out, true);
  startup.hStdError = open(err, true);
  PROCESS_INFORMATION process{};
  ProgramResult result;
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW,
                     block.data(), folder.c_str(), &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.code = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  if (!streams.out) result.out = ReadBytes(out);
  result.err = ReadBytes(err);
  return result;
}
#else
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

#endif

}  // namespace kv::testing
