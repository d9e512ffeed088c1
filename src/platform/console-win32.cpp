#include "platform/console.h"

#include <windows.h>

#include <string>

#include "text/utf8.h"

namespace platform {
namespace {

// The console of the shell the tool was started from, attached once: a GUI
// program gets none of its own. Null when there is none (started from the
// editor or Explorer).
HANDLE parentConsoleOutput() {
  static const HANDLE output = [] {
    if (!::AttachConsole(ATTACH_PARENT_PROCESS) && ::GetLastError() != ERROR_ACCESS_DENIED) return HANDLE{};
    HANDLE handle = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    return handle == INVALID_HANDLE_VALUE ? HANDLE{} : handle;
  }();
  return output;
}

// A stream the parent handed over (a pipe or file when redirected, or its
// console); otherwise the parent's console.
HANDLE streamHandle(DWORD which) {
  HANDLE handle = ::GetStdHandle(which);
  if (handle && handle != INVALID_HANDLE_VALUE) return handle;
  return parentConsoleOutput();
}

bool writeAll(HANDLE output, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    if (!::WriteFile(output, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// A console takes UTF-16 whatever its code page; pipes and files get the bytes.
bool writeTo(DWORD which, std::string_view bytes) {
  HANDLE output = streamHandle(which);
  if (!output) return false;
  DWORD mode = 0;
  if (!::GetConsoleMode(output, &mode)) return writeAll(output, bytes);
  const std::u16string text = text::decodeUtf8(bytes);
  std::u16string_view rest = text;
  while (!rest.empty()) {
    DWORD written = 0;
    DWORD chunk = rest.size() > 8192 ? 8192 : static_cast<DWORD>(rest.size());
    // Never half a surrogate pair at the end of a piece.
    if (chunk < rest.size() && rest[chunk - 1] >= 0xD800 && rest[chunk - 1] <= 0xDBFF) --chunk;
    if (!::WriteConsoleW(output, rest.data(), chunk, &written, nullptr) || written == 0) return false;
    rest.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool writeStandardOutput(std::string_view bytes) { return writeTo(STD_OUTPUT_HANDLE, bytes); }

bool writeStandardError(std::string_view bytes) { return writeTo(STD_ERROR_HANDLE, bytes); }

}  // namespace platform
