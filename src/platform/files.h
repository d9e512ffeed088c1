#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// File services. Paths are written with "\" separators as the tool builds
// them; the POSIX layer maps them to "/" where it calls the OS. Failures are
// values: the caller owns the message.

/// Why a file gave no content.
enum class ReadFailure { none, cannotOpen, notAFile };

/// The whole content of a file; nullopt when it cannot be opened or read. Only
/// a regular file is read: a folder, device, pipe or socket is refused (why is
/// then notAFile) without waiting on it.
std::optional<std::string> readFileBytes(const std::u16string& path, ReadFailure& why);
std::optional<std::string> readFileBytes(const std::u16string& path);

/// Creates or replaces a file with the given bytes.
bool writeFileBytes(const std::u16string& path, std::string_view bytes);

/// Opens a file for appending, creating it when absent, and closes it again:
/// whether it can be written. Its content is untouched.
bool canAppendTo(const std::u16string& path);

/// A file or a folder of that name exists.
bool pathExists(const std::u16string& path);

/// Size in bytes of a file; -1 when there is no such file.
int64_t fileSize(const std::u16string& path);

/// Creates one folder; false when it cannot (an existing folder counts as made).
bool createFolder(const std::u16string& path);

/// Renames a file, replacing an existing file (or link, never followed) at
/// the new path in one step.
bool renameFile(const std::u16string& from, const std::u16string& to);

/// Removes a file, or a link without touching what it points to.
bool removeFile(const std::u16string& path);

enum class SecondName { made, noFile, failed };

/// Gives the file at path a second name that keeps its present content when
/// path is later replaced: a hard link, or a copy where the file system has
/// none. noFile when nothing is at path.
SecondName addSecondName(const std::u16string& path, const std::u16string& secondName);

/// Makes the renames into a folder survive a crash; false when that cannot
/// be confirmed. ("" is the current folder.)
bool syncFolder(const std::u16string& folder);

/// The names in a folder, without "." and ".."; empty when it cannot be
/// listed. ("" is the current folder.)
std::vector<std::u16string> folderEntries(const std::u16string& folder);

/// Whether two paths name the same file as this platform compares names
/// (without regard to case on Windows, exactly elsewhere).
bool samePath(std::u16string_view a, std::u16string_view b);

/// Whether two paths name one existing file, links followed; false when
/// either does not exist.
bool sameFile(const std::u16string& a, const std::u16string& b);

/// The form of a path that the OS and programs started by the tool expect.
std::u16string nativePath(std::u16string_view path);

/// The path that name stands for when it is read from within the folder
/// (which ends with a separator), as the folder were the current one: a
/// relative name is joined to it, a full one kept. The current folder of the
/// process is never changed.
std::u16string pathInFolder(std::u16string_view folder, std::u16string_view name);

/// A file written through at once, so its content is complete whatever
/// happens to the run later. Created empty (an existing file is emptied).
class AppendFile {
 public:
  virtual ~AppendFile() = default;
  static std::unique_ptr<AppendFile> create(const std::u16string& path);
  /// A file that must not exist yet (not even as a link, which is never
  /// followed); nullptr when it cannot be made, and nameTaken then says
  /// whether that is because the name is in use.
  static std::unique_ptr<AppendFile> createNew(const std::u16string& path, bool& nameTaken);
  virtual bool append(std::string_view bytes) = 0;
  /// Forces what was appended onto the disk; false when that failed.
  virtual bool sync() = 0;
  /// Closes the file; false when some of its content may not have been kept.
  virtual bool close() = 0;
};

}  // namespace platform
