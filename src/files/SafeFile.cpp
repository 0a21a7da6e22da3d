// Reading and writing source files: size and NUL checks over the platform's
// whole-file read and atomic replace.
#include "files/SafeFile.h"

#ifndef _WIN32
#include <unistd.h>
#endif

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
  std::error_code error;
  fs::file_status before = fs::status(file, error);
  if (!error && !fs::exists(before)) error = std::make_error_code(std::errc::no_such_file_or_directory);
  if (error) throw fail(error);
  // A module without write permission (on Windows: with the read-only
  // attribute) is one not checked out of source control: it stays as it is,
  // also for root, who access() would let write.
  constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  bool readOnly = (before.permissions() & kWrite) == fs::perms::none;
#ifndef _WIN32
  readOnly = readOnly || ::access(file.c_str(), W_OK) != 0;
#endif
  if (readOnly) throw FileError("read-only; not written");
  if ((error = platform::ReplaceFileAtomically(file, bytes, fs::perms::none, readAs))) {
    if (error == platform::ChangedSinceRead()) throw FileError("changed while kestrova worked; not written");
    throw fail(error);
  }
}

}  // namespace kv::files
