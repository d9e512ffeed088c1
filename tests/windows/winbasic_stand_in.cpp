// Stands in for the WinBasic interpreter: a visible window whose title begins
// with "WinBasic". It records every key it receives ("down XX" / "up XX", the
// virtual-key code in hex) into the key log, and on Ctrl+V writes the
// clipboard text into the paste file (UTF-8) and logs "paste". After F1 or F2
// is released, the end of a delivery, it logs "end" and closes.
//
//   winbasic_stand_in KEYLOG PASTEFILE [SECONDS]
//
// It gives up after SECONDS (default 60) with exit code 3.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT_PTR kEndTimer = 1;
constexpr UINT_PTR kGiveUpTimer = 2;

HANDLE keyLog = INVALID_HANDLE_VALUE;
std::wstring pastePath;
int exitCode = 0;

void writeBytes(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void logLine(const std::string& line) { writeBytes(keyLog, line + "\n"); }

std::string clipboardUtf8() {
  std::string bytes;
  if (!::OpenClipboard(nullptr)) return bytes;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
      int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
      bytes.resize(static_cast<size_t>(size > 0 ? size - 1 : 0));
      ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return bytes;
}

void recordPaste() {
  HANDLE file = ::CreateFileW(pastePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  writeBytes(file, clipboardUtf8());
  ::CloseHandle(file);
  logLine("paste");
}

void recordKey(HWND window, bool down, WPARAM key) {
  char line[32];
  std::snprintf(line, sizeof line, "%s %02X", down ? "down" : "up", static_cast<unsigned>(key));
  logLine(line);
  if (down && key == 'V' && (::GetKeyState(VK_CONTROL) & 0x8000)) recordPaste();
  if (!down && (key == VK_F1 || key == VK_F2)) {
    logLine("end");
    ::SetTimer(window, kEndTimer, 300, nullptr);
  }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      recordKey(window, true, wParam);
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      recordKey(window, false, wParam);
      return 0;
    case WM_TIMER:
      if (wParam == kGiveUpTimer) exitCode = 3;
      ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 64;
  keyLog = ::CreateFileW(argv[1], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (keyLog == INVALID_HANDLE_VALUE) return 1;
  pastePath = argv[2];
  int seconds = argc > 3 ? _wtoi(argv[3]) : 60;

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"WinBasicStandIn";
  ::RegisterClassW(&windowClass);
  HWND window = ::CreateWindowExW(0, L"WinBasicStandIn", L"WinBasic stand-in", WS_OVERLAPPEDWINDOW, 40, 40, 400,
                                  200, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!window) return 1;
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::SetTimer(window, kGiveUpTimer, static_cast<UINT>(seconds) * 1000, nullptr);
  logLine("ready");

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  ::CloseHandle(keyLog);
  return exitCode;
}
