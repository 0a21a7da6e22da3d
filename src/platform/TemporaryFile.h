// The temporary file a replacement is written to before it takes the place
// of its target.
//
// It sits beside the target as ".NAME.tmp-PID-XXXXXX", made with O_EXCL
// (mkstemp), never reused. It goes when its object goes, unless it was
// handed over (renamed onto the target); once RemoveTemporaryFilesOnSignals
// ran, also when SIGINT or SIGTERM ends the process. After SIGKILL it stays,
// and RemoveStaleTemporaryFiles clears it from its folder once its process
// is gone.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace kv::platform {

class TemporaryFile {
 public:
  TemporaryFile(const std::filesystem::path& target, std::error_code& error);
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile();

  int Descriptor() const { return fd_; }
  const std::string& Path() const { return path_; }
  // Closes the descriptor, reporting a failed close (a write that did not
  // reach the disk).
  std::error_code Close();
  // The file is no longer this object's to remove (it was renamed, or is
  // kept on purpose).
  void HandOver();

 private:
  int fd_ = -1;
  int slot_ = -1;
  std::string path_;
};

// Installs handlers for SIGINT and SIGTERM that remove the temporary files
// being written, then end the process as the signal would have.
void RemoveTemporaryFilesOnSignals();

// Removes the temporary files in `folder` that processes which are gone left
// behind.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

}  // namespace kv::platform
