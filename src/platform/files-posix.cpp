#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/descriptors-posix.h"
#include "platform/file_faults.h"
#include "platform/memory.h"
#include "text/utf8.h"

namespace platform {
namespace {

std::string osPath(std::u16string_view path) { return text::encodeUtf8(nativePath(path)); }

// Appended data is handed to the disk in pieces of this size as it comes, so
// that a later sync() mostly finds it written already.
constexpr off_t kWriteBehind = off_t{1} << 20;

class PosixAppendFile : public AppendFile {
 public:
  explicit PosixAppendFile(int fd) : fd_(fd) {}
  ~PosixAppendFile() override { close(); }
  bool append(std::string_view bytes) override {
    if (fd_ < 0 || fileStepFails() || !writeAll(fd_, bytes)) return false;
    appended_ += static_cast<off_t>(bytes.size());
    startWriteBehind();
    return true;
  }
  bool sync() override { return fd_ >= 0 && !fileStepFails() && ::fsync(fd_) == 0; }
  bool close() override {
    if (fd_ < 0) return false;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

 private:
  void startWriteBehind() {
#ifdef SYNC_FILE_RANGE_WRITE
    if (appended_ - handedOn_ < kWriteBehind) return;
    // Only starts the writing; a failure shows at sync().
    ::sync_file_range(fd_, handedOn_, appended_ - handedOn_, SYNC_FILE_RANGE_WRITE);
    handedOn_ = appended_;
#endif
  }

  int fd_;
  off_t appended_ = 0;
  off_t handedOn_ = 0;
};

}  // namespace

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

std::u16string nativePath(std::u16string_view path) {
  std::u16string out(path);
  for (auto& c : out) {
    if (c == u'\\') c = u'/';
  }
  return out;
}

std::u16string pathInFolder(std::u16string_view folder, std::u16string_view name) {
  const bool full = !name.empty() && (name[0] == u'/' || name[0] == u'\\');
  return full ? std::u16string(name) : std::u16string(folder) + std::u16string(name);
}

bool samePath(std::u16string_view a, std::u16string_view b) { return nativePath(a) == nativePath(b); }

bool sameFile(const std::u16string& a, const std::u16string& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(osPath(a).c_str(), &first) == 0 && ::stat(osPath(b).c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::optional<std::string> readFileBytes(const std::u16string& path) {
  ReadFailure why = ReadFailure::none;
  return readFileBytes(path, why);
}

// A pipe would block the open or the read, and a device may never end:
// neither is opened for reading (non-blocking, and only to be sure that what
// is open is what was looked at).
std::optional<std::string> readFileBytes(const std::u16string& path, ReadFailure& why) {
  const std::string name = osPath(path);
  struct stat info {};
  why = ReadFailure::cannotOpen;
  if (::stat(name.c_str(), &info) != 0) return std::nullopt;
  why = ReadFailure::notAFile;
  if (!S_ISREG(info.st_mode)) return std::nullopt;
  int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  why = ReadFailure::cannotOpen;
  if (fd < 0) return std::nullopt;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    why = ReadFailure::notAFile;
    return std::nullopt;
  }
  why = ReadFailure::none;
  // Read into a buffer of the file's size; a file that grows meanwhile (or
  // reports no size) is read on in further pieces.
  std::string bytes;
  bytes.reserve(info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0);
  preferLargePages(bytes.data(), bytes.capacity());
  bytes.resize(bytes.capacity());
  size_t done = 0;
  char more[4096];
  for (;;) {
    const bool full = done == bytes.size();
    ssize_t n = full ? ::read(fd, more, sizeof more) : ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      why = ReadFailure::cannotOpen;
      return std::nullopt;
    }
    if (n == 0) break;
    if (full) bytes.append(more, static_cast<size_t>(n));
    done += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return bytes;
}

bool writeFileBytes(const std::u16string& path, std::string_view bytes) {
  int fd = ::open(osPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes);
  return ::close(fd) == 0 && ok;
}

bool canAppendTo(const std::u16string& path) {
  int fd = ::open(osPath(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool pathExists(const std::u16string& path) {
  struct stat info {};
  return ::stat(osPath(path).c_str(), &info) == 0;
}

int64_t fileSize(const std::u16string& path) {
  struct stat info {};
  if (::stat(osPath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return static_cast<int64_t>(info.st_size);
}

bool createFolder(const std::u16string& path) {
  return ::mkdir(osPath(path).c_str(), 0755) == 0 || errno == EEXIST;
}

bool renameFile(const std::u16string& from, const std::u16string& to) {
  return !fileStepFails() && std::rename(osPath(from).c_str(), osPath(to).c_str()) == 0;
}

bool removeFile(const std::u16string& path) { return ::unlink(osPath(path).c_str()) == 0; }

namespace {

// For file systems without hard links (FAT on a memory stick).
bool copyFile(const std::u16string& from, const std::u16string& to) {
  auto bytes = readFileBytes(from);
  bool nameTaken = false;
  auto copy = bytes ? AppendFile::createNew(to, nameTaken) : nullptr;
  if (!copy) return false;
  const bool written = copy->append(*bytes);
  if (copy->close() && written) return true;
  removeFile(to);
  return false;
}

}  // namespace

SecondName addSecondName(const std::u16string& path, const std::u16string& secondName) {
  struct stat info {};
  // A folder in the way is kept by failing to rename over it, not here.
  if (::lstat(osPath(path).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return SecondName::noFile;
  if (fileStepFails()) return SecondName::failed;
  if (::link(osPath(path).c_str(), osPath(secondName).c_str()) == 0) return SecondName::made;
  if (errno == EEXIST || errno == ENOENT) return SecondName::failed;
  return copyFile(path, secondName) ? SecondName::made : SecondName::failed;
}

bool syncFolder(const std::u16string& folder) {
  if (fileStepFails()) return false;
  const int fd = ::open(folder.empty() ? "." : osPath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

std::vector<std::u16string> folderEntries(const std::u16string& folder) {
  std::vector<std::u16string> names;
  DIR* listing = ::opendir(folder.empty() ? "." : osPath(folder).c_str());
  if (!listing) return names;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.push_back(text::decodeUtf8(name));
  }
  ::closedir(listing);
  return names;
}

std::unique_ptr<AppendFile> AppendFile::createNew(const std::u16string& path, bool& nameTaken) {
  nameTaken = false;
  if (fileStepFails()) return nullptr;
  int fd = ::open(osPath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  nameTaken = fd < 0 && errno == EEXIST;
  if (fd < 0) return nullptr;
  return std::make_unique<PosixAppendFile>(fd);
}

std::unique_ptr<AppendFile> AppendFile::create(const std::u16string& path) {
  int fd = ::open(osPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixAppendFile>(fd);
}

}  // namespace platform
