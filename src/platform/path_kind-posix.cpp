#include "platform/path_kind.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "text/utf8.h"

namespace platform {

PathKind pathKind(const std::u16string& path) {
  struct stat info {};
  if (::stat(text::encodeUtf8(nativePath(path)).c_str(), &info) != 0) return PathKind::missing;
  return S_ISDIR(info.st_mode) ? PathKind::folder : PathKind::file;
}

bool isStream(const std::u16string& path) {
  struct stat info {};
  if (::stat(text::encodeUtf8(nativePath(path)).c_str(), &info) != 0) return false;
  return S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode);
}

bool canOpenForReading(const std::u16string& path) {
  // Non-blocking, so a FIFO without a writer does not hold the check up.
  const int fd = ::open(text::encodeUtf8(nativePath(path)).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace platform
