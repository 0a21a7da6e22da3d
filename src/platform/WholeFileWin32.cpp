// Whole-file reads and atomic replacement on Windows, through the wide file
// functions, so that any path std::filesystem can name (drive letters, UNC
// and \\?\ paths, Chinese folder names) works.
//
// The new contents go to a temporary file beside the target, are flushed,
// and MoveFileExW renames it over the target with MOVEFILE_WRITE_THROUGH.
// The temporary file takes the old file's attributes first, so hidden or
// archive flags stay; a read-only file is refused, as it is on Linux. Any
// failure deletes the temporary file and leaves the target whole.
#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <utility>

#include "platform/WholeFile.h"

namespace kv::platform {

namespace {

// Windows' error, with the codes callers test for mapped to their portable
// conditions; other codes keep Windows' own description.
std::error_code ErrorFrom(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
      return std::make_error_code(std::errc::permission_denied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::make_error_code(std::errc::no_space_on_device);
    default:
      return {static_cast<int>(code), std::system_category()};
  }
}
std::error_code LastError() { return ErrorFrom(GetLastError()); }

// Closes the handle on every way out.
struct Handle {
  HANDLE h = INVALID_HANDLE_VALUE;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  bool Close() { return CloseHandle(std::exchange(h, INVALID_HANDLE_VALUE)) != 0; }
};

FileStamp StampFrom(const BY_HANDLE_FILE_INFORMATION& info) {
  auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
  // FILETIME counts 100 ns steps since 1601.
  std::uint64_t ticks = join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
  return {true, info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
          static_cast<std::int64_t>(join(info.nFileSizeHigh, info.nFileSizeLow)),
          static_cast<std::int64_t>(ticks) * 100};
}

std::error_code WriteAll(HANDLE file, std::string_view contents) {
  while (!contents.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, contents.data(), chunk, &written, nullptr)) return LastError();
    contents.remove_prefix(written);
  }
  return {};
}

}  // namespace

FileStamp StampOf(const std::filesystem::path& file, std::error_code& error) {
  error.clear();
  Handle in{CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
  BY_HANDLE_FILE_INFORMATION info{};
  if (in.h == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(in.h, &info)) {
    DWORD code = GetLastError();
    if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) error = ErrorFrom(code);
    return {};
  }
  return StampFrom(info);
}

std::error_code ReadWholeFile(const std::filesystem::path& file, std::string& contents, FileStamp* stamp,
                              std::size_t maxSize) {
  contents.clear();
  // Other programs may go on reading and writing it: the read takes what is
  // there now, as the POSIX read does.
  Handle in{CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
  if (in.h == INVALID_HANDLE_VALUE) return LastError();
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(in.h, &info)) return LastError();
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::make_error_code(std::errc::is_a_directory);
  if (GetFileType(in.h) != FILE_TYPE_DISK) return std::make_error_code(std::errc::invalid_argument);
  FileStamp read = StampFrom(info);
  if (static_cast<std::uint64_t>(read.size) > maxSize) return std::make_error_code(std::errc::file_too_large);
  contents.resize(static_cast<std::size_t>(read.size));
  std::size_t got = 0;
  for (;;) {
    if (got == contents.size()) {
      if (contents.size() >= maxSize) break;
      contents.resize(std::min(maxSize, contents.size() + 4096));
    }
    DWORD n = 0;
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(contents.size() - got, 1u << 30));
    if (!ReadFile(in.h, contents.data() + got, want, &n, nullptr)) return LastError();
    if (n == 0) break;
    got += n;
  }
  contents.resize(got);
  if (stamp) *stamp = read;
  return {};
}

std::error_code ReplaceFileAtomically(const std::filesystem::path& file, std::string_view contents,
                                      std::filesystem::perms newFilePermissions, const FileStamp* unchangedSince) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path target = file;
  if (fs::is_symlink(file, error)) {
    target = fs::weakly_canonical(file, error);
    if (error) return error;
  }

  DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (DWORD code = GetLastError(); code != ERROR_FILE_NOT_FOUND) return ErrorFrom(code);
    attributes = (newFilePermissions & fs::perms::owner_write) == fs::perms::none ? FILE_ATTRIBUTE_READONLY : 0;
  } else {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return std::make_error_code(std::errc::is_a_directory);
    if (attributes & FILE_ATTRIBUTE_READONLY) return std::make_error_code(std::errc::permission_denied);
  }

  static std::atomic<unsigned> counter{0};
  fs::path temp = target;
  temp.replace_filename(L"." + target.filename().wstring() + L".tmp-" + std::to_wstring(GetCurrentProcessId()) +
                        L"-" + std::to_wstring(counter++));
  Handle out{CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (out.h == INVALID_HANDLE_VALUE) return LastError();
  auto fail = [&](std::error_code why) {
    if (out.h != INVALID_HANDLE_VALUE) out.Close();
    DeleteFileW(temp.c_str());
    return why;
  };
  if (auto why = WriteAll(out.h, contents)) return fail(why);
  if (!FlushFileBuffers(out.h)) return fail(LastError());
  if (!out.Close()) return fail(LastError());
  DWORD keep = attributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                             FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
  if (keep != 0 && !SetFileAttributesW(temp.c_str(), keep)) return fail(LastError());
  if (unchangedSince) {
    std::error_code gone;
    if (!(StampOf(target, gone) == *unchangedSince) || gone) return fail(ChangedSinceRead());
  }
  if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    std::error_code why = LastError();
    SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    return fail(why);
  }
  if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(target.c_str(), attributes);  // a new file
  return {};
}

FileLock::FileLock(const std::filesystem::path& lockFile, std::error_code& error) {
  error.clear();
  HANDLE h = ::CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = ErrorFrom(::GetLastError());
    return;
  }
  OVERLAPPED whole{};
  if (!::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
    error = ErrorFrom(::GetLastError());
    ::CloseHandle(h);
    return;
  }
  handle_ = h;
}

FileLock::~FileLock() {
  if (handle_) ::CloseHandle(static_cast<HANDLE>(handle_));  // closing releases the lock
}

}  // namespace kv::platform

#endif  // _WIN32
