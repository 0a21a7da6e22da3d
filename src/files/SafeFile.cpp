// Reading and writing source files: size and NUL checks over the platform's
// whole-file read and atomic replace.
#include "files/SafeFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <fmt/format.h>

#include "files/Paths.h"
#include "platform/WholeFile.h"

namespace kv::files {

namespace fs = std::filesystem;

namespace {

std::string TooLarge(std::uintmax_t size) {
  return fmt::format("{} bytes is more than the 64 MiB a source file may hold", size);
}

}  // namespace

void CheckSourceBytes(std::string_view bytes) {
  if (bytes.size() > kMaxSourceSize) throw FileError(TooLarge(bytes.size()));
  if (std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
    throw FileError(fmt::format("holds a NUL byte at byte offset {}: not a source file", nul));
  }
}

std::string ReadSourceFile(const fs::path& file, platform::FileStamp* stamp) {
  std::string bytes;
  // The read refuses a pipe without waiting for a writer, and a device.
  if (std::error_code error = platform::ReadWholeFile(file, bytes, stamp, kMaxSourceSize)) {
    if (error == std::errc::is_a_directory) throw FileError("is a folder");
    if (error == std::errc::invalid_argument) throw FileError("is not a regular file");
    if (error == std::errc::file_too_large) {
      std::error_code ignored;
      throw FileError(TooLarge(fs::file_size(file, ignored)));
    }
    throw FileError(fmt::format("cannot be read: {}", error.message()));
  }
  CheckSourceBytes(bytes);
  return bytes;
}

void ReplaceModuleFile(const fs::path& file, std::string_view bytes, const platform::FileStamp* readAs) {
  if (!IsModuleFile(file)) throw FileError("is not a VB module file and is never written");
  auto fail = [](std::error_code error) { return FileError(fmt::format("cannot be written: {}", error.message())); };
  // Only a file that is there is replaced.
  struct stat before {};
  if (::stat(file.c_str(), &before) != 0) throw fail({errno, std::generic_category()});
  // A module without write permission is one not checked out of source
  // control: it stays as it is, also for root, who access() would let write.
  if ((before.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0) throw FileError("read-only; not written");
  if (std::error_code error = platform::ReplaceFileAtomically(file, bytes, fs::perms::none, readAs)) {
    if (error == platform::ChangedSinceRead()) throw FileError("changed while kestrova worked; not written");
    throw fail(error);
  }
}

}  // namespace kv::files
