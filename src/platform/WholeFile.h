// Reading a file as a whole and replacing it as a whole.
//
// Readers of a file that another process (or a crash) may be rewriting must
// see either the old or the new contents, never a mix: ReplaceFileAtomically
// writes a temporary file beside the target, flushes it to disk and renames
// it over the target. The file's identity (device, inode, size, modification
// time) lets a cache notice that a file changed without reading it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace kv::platform {

struct FileStamp {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of `file`; a missing file gives a stamp with exists == false and
// no error.
FileStamp StampOf(const std::filesystem::path& file, std::error_code& error);

// Reads the whole of a regular file. A directory, device or pipe is refused
// (it could be endless or block), and so is a file larger than `maxSize`.
// `stamp`, when given, receives the identity of the file that was read.
std::error_code ReadWholeFile(const std::filesystem::path& file, std::string& contents, FileStamp* stamp = nullptr,
                              std::size_t maxSize = std::size_t{64} << 20);

// Replaces `file` by `contents` atomically. An existing file's owner (where
// allowed), permissions and extended attributes are kept; a new file gets
// `newFilePermissions`. A file with several hard links is written in place,
// so that every name sees the new contents, once the complete temporary copy
// is on disk; that copy stays if this write fails. A symbolic link is
// followed, so the file it points to is replaced and the link stays. On
// failure the target is left as it was and no temporary file remains.
// With `unchangedSince`, a target whose stamp differs from it (another
// program wrote or replaced it since it was read) is left alone and
// ChangedSinceRead() is returned.
std::error_code ReplaceFileAtomically(const std::filesystem::path& file, std::string_view contents,
                                      std::filesystem::perms newFilePermissions,
                                      const FileStamp* unchangedSince = nullptr);
// What a replacement that found the target changed since it was read returns.
inline std::error_code ChangedSinceRead() { return std::make_error_code(std::errc::text_file_busy); }

// An exclusive advisory lock on `lockFile` (created when missing), held until
// the object goes or the process ends: it serialises the read, change and
// replace of a file that several processes update.
class FileLock {
 public:
  FileLock(const std::filesystem::path& lockFile, std::error_code& error);
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

 private:
#ifdef _WIN32
  void* handle_ = nullptr;  // the lock file's HANDLE
#else
  int fd_ = -1;
#endif
};

}  // namespace kv::platform
