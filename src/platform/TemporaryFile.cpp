// Temporary files beside their targets, and their removal on signals and
// after a crash.
#include "platform/TemporaryFile.h"

#ifndef _WIN32

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <utility>

namespace kv::platform {

namespace {

// The files being written, where a signal handler can find them: the one
// state of this process that no object can own, as a handler sees no
// objects. Each writer takes a free slot, fills in its path and only then
// marks it ready.
struct PendingSlot {
  std::atomic<int> state{0};  // 0 free, 1 being filled or emptied, 2 ready
  char path[PATH_MAX] = {};
};
std::array<PendingSlot, 32> pending;

int TakeSlot(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  for (int i = 0; i < static_cast<int>(pending.size()); ++i) {
    int expected = 0;
    if (pending[i].state.compare_exchange_strong(expected, 1)) {
      std::memcpy(pending[i].path, path.c_str(), path.size() + 1);
      pending[i].state.store(2);
      return i;
    }
  }
  return -1;  // more writers than slots: this one is not removed on a signal
}

void FreeSlot(int slot) {
  if (slot < 0) return;
  pending[slot].state.store(1);
  pending[slot].state.store(0);
}

extern "C" void RemovePendingAndReraise(int signal) {
  for (PendingSlot& slot : pending) {
    if (slot.state.load() == 2) ::unlink(slot.path);
  }
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// The process id in a name ".NAME.tmp-PID-XXXXXX"; 0 for any other name.
pid_t PidOfTemporaryName(std::string_view name) {
  if (name.size() < 2 || name[0] != '.') return 0;
  std::size_t marker = name.rfind(".tmp-");
  if (marker == std::string_view::npos || marker == 0) return 0;
  std::string_view rest = name.substr(marker + 5);
  std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos || rest.size() - dash - 1 != 6) return 0;
  pid_t pid = 0;
  auto [end, ec] = std::from_chars(rest.data(), rest.data() + dash, pid);
  if (ec != std::errc() || end != rest.data() + dash || pid <= 0) return 0;
  return pid;
}

}  // namespace

TemporaryFile::TemporaryFile(const std::filesystem::path& target, std::error_code& error) {
  error.clear();
  std::filesystem::path folder = target.parent_path();
  path_ = (folder / ("." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-XXXXXX")).string();
  fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
  if (fd_ < 0) {
    error = {errno, std::generic_category()};
    path_.clear();
    return;
  }
  slot_ = TakeSlot(path_);
}

TemporaryFile::~TemporaryFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!path_.empty()) ::unlink(path_.c_str());
  FreeSlot(slot_);
}

std::error_code TemporaryFile::Close() {
  if (::close(std::exchange(fd_, -1)) != 0) return {errno, std::generic_category()};
  return {};
}

void TemporaryFile::HandOver() {
  FreeSlot(std::exchange(slot_, -1));
  path_.clear();
}

void RemoveTemporaryFilesOnSignals() {
  struct sigaction action {};
  action.sa_handler = RemovePendingAndReraise;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM}) ::sigaction(signal, &action, nullptr);
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    pid_t pid = PidOfTemporaryName(entry->d_name);
    if (pid == 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
    struct stat info {};
    if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)) {
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
  }
  ::closedir(dir);
}

}  // namespace kv::platform

#endif  // !_WIN32
