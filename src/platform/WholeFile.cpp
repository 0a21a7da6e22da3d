// Whole-file reads and atomic replacement over POSIX file descriptors. The
// Windows versions are in WholeFileWin32.cpp.
#include "platform/WholeFile.h"

#ifndef _WIN32

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace kv::platform {

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

FileStamp StampFrom(const struct stat& info) {
  return {true, static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::int64_t>(info.st_size),
          static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

// Closes the descriptor on every way out.
struct Descriptor {
  int fd = -1;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
  int Release() { return std::exchange(fd, -1); }
};

std::error_code WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

}  // namespace

FileStamp StampOf(const std::filesystem::path& file, std::error_code& error) {
  error.clear();
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) error = LastError();
    return {};
  }
  return StampFrom(info);
}

std::error_code ReadWholeFile(const std::filesystem::path& file, std::string& contents, FileStamp* stamp,
                              std::size_t maxSize) {
  contents.clear();
  // Non-blocking, so that opening a pipe does not wait for a writer.
  Descriptor in{::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (in.fd < 0) return LastError();
  struct stat info {};
  if (::fstat(in.fd, &info) != 0) return LastError();
  if (S_ISDIR(info.st_mode)) return std::make_error_code(std::errc::is_a_directory);
  if (!S_ISREG(info.st_mode)) return std::make_error_code(std::errc::invalid_argument);
  if (static_cast<std::uint64_t>(info.st_size) > maxSize) return std::make_error_code(std::errc::file_too_large);
  contents.resize(static_cast<std::size_t>(info.st_size));
  std::size_t got = 0;
  // The file may grow or shrink while it is read; read to its real end.
  for (;;) {
    if (got == contents.size()) {
      if (contents.size() >= maxSize) break;
      contents.resize(std::min(maxSize, contents.size() + 4096));
    }
    ssize_t n = ::read(in.fd, contents.data() + got, contents.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  contents.resize(got);
  if (stamp) *stamp = StampFrom(info);
  return {};
}

std::error_code ReplaceFileAtomically(const std::filesystem::path& file, std::string_view contents,
                                      std::filesystem::perms newFilePermissions) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path target = file;
  if (fs::symlink_status(file, error).type() == fs::file_type::symlink) {
    target = fs::weakly_canonical(file, error);
    if (error) return error;
  }

  mode_t mode = static_cast<mode_t>(newFilePermissions) & 07777;
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    mode = info.st_mode & 07777;
  } else if (errno != ENOENT) {
    return LastError();
  }

  fs::path folder = target.parent_path();
  std::string pattern = (folder / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
  Descriptor out{::mkostemp(pattern.data(), O_CLOEXEC)};
  if (out.fd < 0) return LastError();
  auto fail = [&](std::error_code why) {
    ::close(out.Release());
    ::unlink(pattern.c_str());
    return why;
  };
  if (auto why = WriteAll(out.fd, contents)) return fail(why);
  if (::fchmod(out.fd, mode) != 0 || ::fsync(out.fd) != 0) return fail(LastError());
  if (::close(out.Release()) != 0) {
    std::error_code why = LastError();
    ::unlink(pattern.c_str());
    return why;
  }
  if (::rename(pattern.c_str(), target.c_str()) != 0) {
    std::error_code why = LastError();
    ::unlink(pattern.c_str());
    return why;
  }
  // The rename itself reaches the disk with the folder's entry; a failure
  // here leaves the new file in place, so it is not reported.
  Descriptor directory{::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (directory.fd >= 0) ::fsync(directory.fd);
  return {};
}

}  // namespace kv::platform

#endif  // !_WIN32
