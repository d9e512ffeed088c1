#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

class AppendFile;

/// A file written whole or not at all: the bytes go to a new temporary file
/// of a name of its own in the same folder, and commit() renames it over the
/// real path. A pending file that is never committed leaves nothing behind.
class PendingFile {
 public:
  explicit PendingFile(std::u16string path);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  /// Writes the bytes into the temporary file; false when it cannot be made.
  bool write(std::string_view bytes);

  /// Writes the text as UTF-8, encoded piece by piece rather than whole.
  bool writeText(std::u16string_view text);

  /// Renames the written temporary file over the path; false on failure, in
  /// which case the old file (if any) is untouched.
  bool commit();

  /// write() and then commit().
  bool commit(std::string_view bytes) { return write(bytes) && commit(); }

 private:
  // Makes the temporary file and fills it with content; a file left half
  // written is removed.
  bool writeWith(const std::function<bool(AppendFile&)>& content);

  std::u16string path_;
  std::u16string temporaryPath_;
};

}  // namespace platform
