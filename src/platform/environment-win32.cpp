#include "platform/environment.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace platform {
namespace {

std::u16string fromWide(const wchar_t* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

std::u16string environmentVariable(const wchar_t* name) {
  DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::u16string value(size, u'\0');
  DWORD length = ::GetEnvironmentVariableW(name, reinterpret_cast<wchar_t*>(value.data()), size);
  if (length == 0 || length >= size) return {};
  value.resize(length);
  return value;
}

std::u16string knownProfileFolder() {
  PWSTR path = nullptr;
  std::u16string folder;
  if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Profile, 0, nullptr, &path))) folder = fromWide(path);
  ::CoTaskMemFree(path);
  return folder;
}

}  // namespace

std::u16string currentFolder() {
  DWORD size = ::GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::u16string folder(size, u'\0');
  DWORD length = ::GetCurrentDirectoryW(size, reinterpret_cast<wchar_t*>(folder.data()));
  if (length == 0 || length >= size) return {};
  folder.resize(length);
  return folder;
}

std::u16string userProfileFolder() {
  // USERPROFILE first, as the user's session sets it; the shell's own record
  // when the variable is missing (a program started with a bare environment).
  std::u16string folder = environmentVariable(L"USERPROFILE");
  if (folder.empty()) folder = knownProfileFolder();
  while (folder.size() > 3 && folder.back() == u'\\') folder.pop_back();
  return folder;
}

// Windows programs keep their data where they choose.
std::u16string xdgDataHome() { return {}; }

}  // namespace platform
