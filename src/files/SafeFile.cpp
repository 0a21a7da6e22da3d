// Reading and writing source files: size and NUL checks, atomic replace.
#include "files/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include <fmt/format.h>

#include "files/Paths.h"

namespace kv::files {

namespace fs = std::filesystem;

namespace {

std::string Why(int err) { return std::strerror(err); }

// Closes a descriptor and removes a temporary file unless released.
struct TempFile {
  int fd = -1;
  std::string path;
  ~TempFile() {
    if (fd >= 0) ::close(fd);
    if (!path.empty()) ::unlink(path.c_str());
  }
};

}  // namespace

void CheckSourceBytes(std::string_view bytes) {
  if (bytes.size() > kMaxSourceSize) {
    throw FileError(fmt::format("{} bytes is more than the 64 MiB a source file may hold", bytes.size()));
  }
  if (std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
    throw FileError(fmt::format("holds a NUL byte at byte offset {}: not a source file", nul));
  }
}

std::string ReadSourceFile(const fs::path& file) {
  std::error_code ec;
  if (fs::is_directory(file, ec)) throw FileError("is a folder");
  // Checked before opening: opening a pipe would wait for a writer.
  if (fs::exists(file, ec) && !fs::is_regular_file(file, ec)) throw FileError("is not a regular file");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError(fmt::format("cannot be read: {}", Why(errno)));
  in.seekg(0, std::ios::end);
  std::streamoff end = in.tellg();
  if (end < 0) throw FileError("cannot be read");
  auto size = static_cast<std::uintmax_t>(end);
  if (size > kMaxSourceSize) {
    throw FileError(fmt::format("{} bytes is more than the 64 MiB a source file may hold", size));
  }
  in.seekg(0);
  std::string bytes(size, '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) throw FileError("cannot be read");
  CheckSourceBytes(bytes);
  return bytes;
}

void ReplaceModuleFile(const fs::path& file, std::string_view bytes) {
  if (!IsModuleFile(file)) throw FileError("is not a VB module file and is never written");
  std::error_code ec;
  fs::path target = fs::is_symlink(file, ec) ? fs::canonical(file, ec) : file;
  if (ec) throw FileError(fmt::format("cannot be written: {}", ec.message()));

  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) throw FileError(fmt::format("cannot be written: {}", Why(errno)));
  fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  TempFile temp;
  temp.path = (folder / ("." + target.filename().string() + ".kestrova-XXXXXX")).string();
  temp.fd = ::mkstemp(temp.path.data());
  if (temp.fd < 0) {
    temp.path.clear();
    throw FileError(fmt::format("cannot be written: {}", Why(errno)));
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(temp.fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw FileError(fmt::format("cannot be written: {}", Why(errno)));
    done += static_cast<std::size_t>(n);
  }
  if (::fchmod(temp.fd, st.st_mode & 07777) != 0) throw FileError(fmt::format("cannot be written: {}", Why(errno)));
  (void)!::fchown(temp.fd, st.st_uid, st.st_gid);  // kept where allowed
  if (::fsync(temp.fd) != 0) throw FileError(fmt::format("cannot be written: {}", Why(errno)));
  ::close(temp.fd);
  temp.fd = -1;
  if (::rename(temp.path.c_str(), target.c_str()) != 0) {
    throw FileError(fmt::format("cannot be written: {}", Why(errno)));
  }
  temp.path.clear();
}

}  // namespace kv::files
