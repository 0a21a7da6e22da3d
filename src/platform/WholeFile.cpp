// Whole-file reads and atomic replacement over POSIX file descriptors. The
// Windows versions are in WholeFileWin32.cpp.
#include "platform/WholeFile.h"

#ifndef _WIN32

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

#include "platform/TemporaryFile.h"

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

// Gives the temporary file the extended attributes of the file it replaces;
// one the temporary file cannot take (another owner's, the system's) is
// skipped.
void CopyExtendedAttributes(const char* from, int to) {
  ssize_t size = ::listxattr(from, nullptr, 0);
  if (size <= 0) return;
  std::string names(static_cast<std::size_t>(size), '\0');
  size = ::listxattr(from, names.data(), names.size());
  if (size <= 0) return;
  names.resize(static_cast<std::size_t>(size));
  std::string value;
  for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
    const char* name = names.c_str() + at;
    ssize_t length = ::getxattr(from, name, nullptr, 0);
    if (length < 0) continue;
    value.resize(static_cast<std::size_t>(length));
    length = ::getxattr(from, name, value.data(), value.size());
    if (length >= 0) (void)::fsetxattr(to, name, value.data(), static_cast<std::size_t>(length), 0);
  }
}

// Writes the contents into the existing file itself, for a file with other
// names (hard links) that must all see the new text.
// `started` tells whether the file may have been touched.
std::error_code WriteInPlace(const char* target, const struct stat& expected, std::string_view contents,
                             bool& started) {
  Descriptor in{::open(target, O_WRONLY | O_NOFOLLOW | O_CLOEXEC)};
  if (in.fd < 0) return LastError();
  struct stat info {};
  if (::fstat(in.fd, &info) != 0) return LastError();
  if (info.st_dev != expected.st_dev || info.st_ino != expected.st_ino) return ChangedSinceRead();
  started = true;
  if (auto why = WriteAll(in.fd, contents)) return why;
  if (::ftruncate(in.fd, static_cast<off_t>(contents.size())) != 0 || ::fsync(in.fd) != 0) return LastError();
  if (::close(in.Release()) != 0) return LastError();
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
  // One byte more than the file holds, so that the read that finds its end
  // needs no larger string (and no copy of what was read).
  contents.resize(std::min(maxSize, static_cast<std::size_t>(info.st_size) + 1));
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
                                      std::filesystem::perms newFilePermissions, const FileStamp* unchangedSince) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path target = file;
  if (fs::symlink_status(file, error).type() == fs::file_type::symlink) {
    target = fs::weakly_canonical(file, error);
    if (error) return error;
  }

  mode_t mode = static_cast<mode_t>(newFilePermissions) & 07777;
  struct stat info {};
  bool existing = ::stat(target.c_str(), &info) == 0;
  if (existing) {
    mode = info.st_mode & 07777;
  } else if (errno != ENOENT) {
    return LastError();
  }

  fs::path folder = target.parent_path();
  TemporaryFile temporary(target, error);
  if (error) return error;
  const int out = temporary.Descriptor();
  if (auto why = WriteAll(out, contents)) return why;
  // The owner is kept where allowed, through the descriptor and before the
  // rename: a call by path after it could be sent elsewhere by whoever owns
  // the folder. The mode follows, as a change of owner clears set-id bits.
  if (existing) (void)!::fchown(out, info.st_uid, info.st_gid);
  if (existing) CopyExtendedAttributes(target.c_str(), out);
  if (::fchmod(out, mode) != 0 || ::fsync(out) != 0) return LastError();
  if (std::error_code why = temporary.Close()) return why;
  // Another program's change since the read is never overwritten. (A change
  // in the instant between this look and the rename cannot be seen.)
  if (unchangedSince) {
    struct stat now {};
    if (::stat(target.c_str(), &now) != 0 || !(StampFrom(now) == *unchangedSince)) return ChangedSinceRead();
  }
  if (existing && S_ISREG(info.st_mode) && info.st_nlink > 1) {
    // The complete copy stays until the file itself holds the new text, so
    // an interrupted write leaves it to recover from.
    bool started = false;
    std::error_code why = WriteInPlace(target.c_str(), info, contents, started);
    if (why && started) temporary.HandOver();
    return why;
  }
  if (::rename(temporary.Path().c_str(), target.c_str()) != 0) return LastError();
  temporary.HandOver();
  // The rename itself reaches the disk with the folder's entry; a failure
  // here leaves the new file in place, so it is not reported.
  Descriptor directory{::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (directory.fd >= 0) ::fsync(directory.fd);
  return {};
}

FileLock::FileLock(const std::filesystem::path& lockFile, std::error_code& error) {
  error.clear();
  fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd_ < 0) {
    error = LastError();
    return;
  }
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    error = LastError();
    ::close(std::exchange(fd_, -1));
    return;
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace kv::platform

#endif  // !_WIN32
