#pragma once

#include <string>
#include <string_view>

namespace platform {

/// A file written whole or not at all: the bytes go to a temporary file in the
/// same folder, and commit() renames it over the real path. A pending file
/// that is never committed leaves nothing behind.
class PendingFile {
 public:
  explicit PendingFile(std::u16string path);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  /// Writes the temporary file and renames it over the path; false on any
  /// failure, in which case the old file (if any) is untouched.
  bool commit(std::string_view bytes);

 private:
  std::u16string path_;
  std::u16string temporaryPath_;
  bool temporaryExists_ = false;
};

}  // namespace platform
