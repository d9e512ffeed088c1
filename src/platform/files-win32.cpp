#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/file_faults.h"

namespace platform {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// Owns a file handle for the length of one service call.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) ::CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

// Other programs (the editor, a viewer) may hold our files open, and we may
// read a file that is still open for writing.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE openForWriting(const std::u16string& path) {
  return ::CreateFileW(wide(path), GENERIC_WRITE, kShareAll, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool writeAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool readAll(HANDLE file, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0) return true;
    bytes.append(buffer, got);
  }
}

std::u16string withBackslashes(std::u16string_view path) {
  std::u16string out(path);
  std::replace(out.begin(), out.end(), u'/', u'\\');
  return out;
}

// No user-space buffer: every append reaches the OS at once, so the file is
// complete whatever ends the run. (Forcing each line to the disk as well
// would only slow long reports down.)
class Win32AppendFile : public AppendFile {
 public:
  explicit Win32AppendFile(HANDLE file) : file_(file) {}
  bool append(std::string_view bytes) override {
    return file_.valid() && !fileStepFails() && writeAll(file_.get(), bytes);
  }
  bool sync() override { return file_.valid() && !fileStepFails() && ::FlushFileBuffers(file_.get()); }
  bool close() override {
    if (!file_.valid()) return false;
    return ::CloseHandle(file_.release()) != 0;
  }

 private:
  FileHandle file_;
};

}  // namespace

std::u16string nativePath(std::u16string_view path) { return std::u16string(path); }

namespace {

bool isSlash(char16_t c) { return c == u'\\' || c == u'/'; }

bool hasDrive(std::u16string_view path) {
  return path.size() >= 2 && path[1] == u':' && ((path[0] | 0x20) >= u'a' && (path[0] | 0x20) <= u'z');
}

// The root a rooted name ("\x") stands on: the folder's drive, or its
// "\\server\share" when it is a network path.
std::u16string_view rootOf(std::u16string_view folder) {
  if (hasDrive(folder)) return folder.substr(0, 2);
  if (folder.size() < 2 || !isSlash(folder[0]) || !isSlash(folder[1])) return {};
  size_t end = 2;
  for (int parts = 0; end < folder.size() && parts < 2; ++end) {
    if (isSlash(folder[end])) ++parts;
  }
  return folder.substr(0, end > 2 && isSlash(folder[end - 1]) ? end - 1 : end);
}

}  // namespace

// The rules Windows applies to a name against the current folder: a
// network or drive-and-root path is full, a rooted one takes the folder's
// root, "D:name" is relative to the folder only when the folder is on D:.
std::u16string pathInFolder(std::u16string_view folder, std::u16string_view name) {
  if (hasDrive(name)) {
    if (name.size() > 2 && isSlash(name[2])) return std::u16string(name);
    const bool sameDrive = hasDrive(folder) && (folder[0] | 0x20) == (name[0] | 0x20);
    return sameDrive ? std::u16string(folder) + std::u16string(name.substr(2)) : std::u16string(name);
  }
  if (name.size() >= 2 && isSlash(name[0]) && isSlash(name[1])) return std::u16string(name);
  if (!name.empty() && isSlash(name[0])) return std::u16string(rootOf(folder)) + std::u16string(name);
  return std::u16string(folder) + std::u16string(name);
}

bool samePath(std::u16string_view a, std::u16string_view b) {
  std::u16string left = withBackslashes(a);
  std::u16string right = withBackslashes(b);
  if (left.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return false;
  return ::CompareStringOrdinal(reinterpret_cast<const wchar_t*>(left.data()), static_cast<int>(left.size()),
                                reinterpret_cast<const wchar_t*>(right.data()), static_cast<int>(right.size()),
                                TRUE) == CSTR_EQUAL;
}

bool sameFile(const std::u16string& a, const std::u16string& b) {
  auto identity = [](const std::u16string& path, BY_HANDLE_FILE_INFORMATION& info) {
    // No access is asked for: only the file's identity is read. Folders open
    // only with backup semantics.
    FileHandle file(::CreateFileW(wide(path), 0, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.valid() && ::GetFileInformationByHandle(file.get(), &info);
  };
  BY_HANDLE_FILE_INFORMATION first{};
  BY_HANDLE_FILE_INFORMATION second{};
  return identity(a, first) && identity(b, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

std::optional<std::string> readFileBytes(const std::u16string& path) {
  ReadFailure why = ReadFailure::none;
  return readFileBytes(path, why);
}

// A pipe would block the read and a device ("CON", "NUL") may never end:
// only a file on a disk is read.
std::optional<std::string> readFileBytes(const std::u16string& path, ReadFailure& why) {
  const DWORD attributes = ::GetFileAttributesW(wide(path));
  why = ReadFailure::notAFile;
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  why = ReadFailure::cannotOpen;
  FileHandle file(::CreateFileW(wide(path), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::nullopt;
  why = ReadFailure::notAFile;
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
  why = ReadFailure::cannotOpen;
  std::string bytes;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
    bytes.reserve(static_cast<size_t>(size.QuadPart));
  }
  if (!readAll(file.get(), bytes)) return std::nullopt;
  why = ReadFailure::none;
  return bytes;
}

bool writeFileBytes(const std::u16string& path, std::string_view bytes) {
  FileHandle file(openForWriting(path));
  return file.valid() && writeAll(file.get(), bytes);
}

bool canAppendTo(const std::u16string& path) {
  FileHandle file(::CreateFileW(wide(path), FILE_APPEND_DATA, kShareAll, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

bool pathExists(const std::u16string& path) {
  return ::GetFileAttributesW(wide(path)) != INVALID_FILE_ATTRIBUTES;
}

int64_t fileSize(const std::u16string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(wide(path), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool createFolder(const std::u16string& path) {
  if (::CreateDirectoryW(wide(path), nullptr)) return true;
  DWORD attributes = ::GetFileAttributesW(wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Write-through: the rename is on the disk when the call returns, which is
// what flushing the folder does elsewhere.
bool renameFile(const std::u16string& from, const std::u16string& to) {
  return !fileStepFails() &&
         ::MoveFileExW(wide(from), wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

SecondName addSecondName(const std::u16string& path, const std::u16string& secondName) {
  const DWORD attributes = ::GetFileAttributesW(wide(path));
  // A folder in the way is kept by failing to rename over it, not here.
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return SecondName::noFile;
  if (fileStepFails()) return SecondName::failed;
  if (::CreateHardLinkW(wide(secondName), wide(path), nullptr)) return SecondName::made;
  // FAT and exFAT have no hard links.
  return ::CopyFileW(wide(path), wide(secondName), TRUE) ? SecondName::made : SecondName::failed;
}

// Renames are written through (see renameFile).
bool syncFolder(const std::u16string&) { return !fileStepFails(); }

std::vector<std::u16string> folderEntries(const std::u16string& folder) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileExW(wide(folder + u"*"), FindExInfoBasic, &found, FindExSearchNameMatch,
                                     nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::u16string name(reinterpret_cast<const char16_t*>(found.cFileName));
    if (name != u"." && name != u"..") names.push_back(std::move(name));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

bool removeFile(const std::u16string& path) { return ::DeleteFileW(wide(path)) != 0; }

std::unique_ptr<AppendFile> AppendFile::createNew(const std::u16string& path, bool& nameTaken) {
  nameTaken = false;
  if (fileStepFails()) return nullptr;
  // CREATE_NEW fails on any existing name, a link included. Shared for
  // deleting only, so that an interrupted run can remove it while it is open.
  HANDLE handle = ::CreateFileW(wide(path), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  const DWORD error = handle == INVALID_HANDLE_VALUE ? ::GetLastError() : 0;
  nameTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32AppendFile>(handle);
}

std::unique_ptr<AppendFile> AppendFile::create(const std::u16string& path) {
  FileHandle file(openForWriting(path));
  if (!file.valid()) return nullptr;
  return std::make_unique<Win32AppendFile>(file.release());
}

}  // namespace platform
