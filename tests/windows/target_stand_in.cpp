// Stands in for the programs the tool hands its result to ("Corvane.exe",
// "Brisko.exe"): records the command line it was given and the folder it was
// started in, one per line, into "<own name>-started.txt" beside itself.
#include <windows.h>

#include <string>

namespace {

std::string utf8(const std::wstring& text) {
  int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::wstring ownPathWithoutExtension() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring own = path;
  size_t dot = own.rfind(L'.');
  return dot == std::wstring::npos ? own : own.substr(0, dot);
}

}  // namespace

int wmain() {
  wchar_t folder[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, folder);
  std::string record = utf8(::GetCommandLineW()) + "\n" + utf8(folder) + "\n";
  // Written under a temporary name and renamed, so a reader never sees half.
  std::wstring target = ownPathWithoutExtension() + L"-started.txt";
  std::wstring temporary = target + L".part";
  HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  ::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  ::CloseHandle(file);
  return ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
