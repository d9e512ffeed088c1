#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class AppendFile;
class RemovedOnInterruption;

/// A file written whole or not at all: the bytes go to a new temporary file
/// in the same folder, flushed onto the disk, and commit() renames it over
/// the real path. So a crash at any moment leaves the old file or the new
/// one. A pending file that is never committed leaves nothing behind.
/// A device or pipe at the path (/dev/null, NUL) is written into directly
/// instead: it has no old content to keep, and a rename would replace it.
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

  /// Renames the written temporary file over the path (a link there is
  /// replaced, never followed); false on failure, in which case the old file
  /// (if any) is untouched.
  bool commit();

  /// write() and then commit().
  bool commit(std::string_view bytes) { return write(bytes) && commit(); }

  const std::u16string& path() const { return path_; }

 private:
  friend class PendingGroup;

  // A temporary file of ours, removed when the run ends or is interrupted
  // before it has taken a place.
  struct Temporary {
    std::u16string path;
    std::unique_ptr<RemovedOnInterruption> guard;
    void forget();
    void remove();
  };

  // Makes the temporary file and fills it with content; a file left half
  // written is removed.
  bool writeWith(const std::function<bool(AppendFile&)>& content);
  // A second name for the file now at the path, so it can come back.
  bool keepPrevious();
  // The written temporary file takes the path.
  bool replace();
  // After replace(): the path as it was before keepPrevious().
  void putPreviousBack();

  // The path is a device or pipe, written into as it stands.
  bool stream() const { return stream_; }

  std::u16string path_;
  bool stream_ = false;
  Temporary written_;
  Temporary previous_;
};

}  // namespace platform
