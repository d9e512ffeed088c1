// prexle.com: the console front of prexle.exe. prexle.exe is a GUI program so
// that no console flashes up when the editor starts it, and a shell does not
// wait for a GUI program. cmd and PowerShell find prexle.com before
// prexle.exe for a bare "prexle", so this waits in the console: it starts the
// program beside it with the same arguments and standard streams and returns
// its exit status.

#include <windows.h>

#include <string>

namespace {

// The arguments as typed, with the launcher's own name taken off the front by
// the rule the tool itself splits its command line with: a double quote
// starts or ends a quoted stretch, a backslash is a plain character.
std::wstring argumentsOf(const wchar_t* commandLine) {
  const wchar_t* p = commandLine;
  bool quoted = false;
  for (; *p && (quoted || (*p != L' ' && *p != L'\t')); ++p) {
    if (*p == L'"') quoted = !quoted;
  }
  return p;
}

std::wstring toolBesideThis() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L"";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t dot = path.find_last_of(L'.');
  const size_t slash = path.find_last_of(L"\\/");
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.resize(dot);
  return path + L".exe";
}

// A redirected stream is handed on as it is; a console is left out, so the
// tool attaches to this console itself and writes to it as a console (and
// hears its Ctrl+C).
HANDLE handedOn(DWORD which) {
  const HANDLE handle = ::GetStdHandle(which);
  DWORD mode = 0;
  return handle == INVALID_HANDLE_VALUE || ::GetConsoleMode(handle, &mode) ? nullptr : handle;
}

void say(const std::wstring& text) {
  DWORD written = 0;
  const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
  if (::WriteConsoleW(error, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr)) return;
  std::string bytes(text.begin(), text.end());
  ::WriteFile(error, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int wmain() {
  const std::wstring tool = toolBesideThis();
  std::wstring commandLine = L"\"" + tool + L"\"" + argumentsOf(::GetCommandLineW());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = handedOn(STD_INPUT_HANDLE);
  startup.hStdOutput = handedOn(STD_OUTPUT_HANDLE);
  startup.hStdError = handedOn(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(tool.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
    say(L"prexle: error: cannot start " + tool + L"\r\n");
    return 1;
  }
  // Ctrl+C reaches the tool through the console it attaches to; this one
  // only waits, to pass its exit status on.
  ::SetConsoleCtrlHandler(nullptr, TRUE);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  ::GetExitCodeProcess(process.hProcess, &status);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(status);
}
