// Reading and writing source files safely.
//
// Only module files (.bas, .cls, .frm, .ctl, .pag, .dob, .dsr) are ever
// written; project files, .frx and every other companion are read at most,
// and so is a module without write permission (not checked out).
// A file is replaced atomically (a temporary file in the same folder, renamed
// over it) and keeps its permissions; a symbolic link keeps pointing at the
// file it named, which gets the new bytes. Source files over 64 MiB or holding
// NUL bytes are refused: no VB6 source is either, and such a file is
// binary or corrupt.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/WholeFile.h"

namespace kv::files {

// A file that cannot be read, decoded, written or understood; the message
// says why and where, without the file's name (the caller adds it).
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::uintmax_t kMaxSourceSize = 64u << 20;

// Throws FileError when the bytes are too many or hold a NUL byte.
void CheckSourceBytes(std::string_view bytes);
// The bytes of a source file, checked as above; `stamp`, when given, gets
// the identity of the file read. Throws FileError.
std::string ReadSourceFile(const std::filesystem::path& file, platform::FileStamp* stamp = nullptr);
// Replaces a module file's bytes atomically, keeping its permissions. Throws
// FileError, leaving the file as it was, when the file is not a module file
// or cannot be written, or (with `readAs`) when it is no longer the file
// that was read: another program changed it meanwhile.
void ReplaceModuleFile(const std::filesystem::path& file, std::string_view bytes,
                       const platform::FileStamp* readAs = nullptr);

}  // namespace kv::files
