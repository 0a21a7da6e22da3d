// Runs kestrova's Main on real files in a temporary folder, with standard
// input, output and error captured, and the user's settings kept apart.
#pragma once

#include <stdlib.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "support/TempFolder.h"

namespace kv::testing {

struct CliResult { int code = -1; std::string out; std::string err; };

class CliTest : public ::testing::Test {
 protected:
  CliTest() {
#ifdef _WIN32
    ::_putenv_s("KESTROVA_SETTINGS", (dir_ / "user-settings.ini").string().c_str());
#else
    ::setenv("KESTROVA_SETTINGS", (dir_ / "user-settings.ini").c_str(), 1);
#endif
  }

  std::filesystem::path P(const std::string& name) const { return dir_ / name; }
  std::filesystem::path Write(const std::string& name, std::string_view bytes) const { return dir_.Write(name, bytes); }
  std::string Read(const std::string& name) const { return test::ReadBytes(P(name)); }
  static std::string TempRead(const std::filesystem::path& p) { return test::ReadBytes(p); }
  // The file's inode and modification time: unchanged when it was not written.
  std::pair<std::uint64_t, std::int64_t> Stamp(const std::string& name) const {
#ifdef _WIN32
    std::error_code ignored;
    return {0, std::filesystem::last_write_time(P(name), ignored).time_since_epoch().count()};
#else
    struct stat st {};
    ::stat(P(name).c_str(), &st);
    return {st.st_ino, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
#endif
  }

  // Runs `kestrova args...` in the temporary folder.
  CliResult Run(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), "kestrova");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::istringstream in(input);
    std::ostringstream out, err;
    auto* oldIn = std::cin.rdbuf(in.rdbuf());
    auto* oldOut = std::cout.rdbuf(out.rdbuf());
    auto* oldErr = std::cerr.rdbuf(err.rdbuf());
    auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path());
    CliResult r;
    r.code = cli::Main(static_cast<int>(args.size()), argv.data());
    std::filesystem::current_path(cwd);
    std::cin.rdbuf(oldIn);
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    r.out = out.str();
    r.err = err.str();
    return r;
  }

 private:
  test::TempFolder dir_;
};

}  // namespace kv::testing
