#include "platform/path_kind.h"

#include <windows.h>

namespace platform {
namespace {

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

PathKind pathKind(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(wide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::folder : PathKind::file;
}

bool isStream(const std::u16string& path) {
  HANDLE file = ::CreateFileW(wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD type = ::GetFileType(file);
  ::CloseHandle(file);
  return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
}

bool canOpenForReading(const std::u16string& path) {
  HANDLE file = ::CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

}  // namespace platform
