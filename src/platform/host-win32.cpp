#include "platform/host.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/window-win32.h"
#include "text/utf8.h"

namespace platform {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
wchar_t* wideBuffer(std::u16string& text) { return reinterpret_cast<wchar_t*>(text.data()); }

// Both handles of a started process, closed when the call is done with them.
struct ProcessHandles {
  PROCESS_INFORMATION info{};
  ~ProcessHandles() {
    if (info.hThread) ::CloseHandle(info.hThread);
    if (info.hProcess) ::CloseHandle(info.hProcess);
  }
};

bool createProcess(const wchar_t* program, std::u16string commandLine, const wchar_t* folder,
                   ProcessHandles& handles, DWORD flags = 0) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return ::CreateProcessW(program, wideBuffer(commandLine), nullptr, nullptr, FALSE, flags, nullptr, folder,
                          &startup, &handles.info) != 0;
}

// A job whose processes are ended when its last handle closes; a process
// leaves it only by asking (a target program that the tool starts).
class JobHandle {
 public:
  JobHandle() : job_(::CreateJobObjectW(nullptr, nullptr)) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_BREAKAWAY_OK;
    if (job_ && !::SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
      ::CloseHandle(job_);
      job_ = nullptr;
    }
  }
  ~JobHandle() {
    if (job_) ::CloseHandle(job_);
  }
  JobHandle(const JobHandle&) = delete;
  JobHandle& operator=(const JobHandle&) = delete;
  bool valid() const { return job_ != nullptr; }
  HANDLE get() const { return job_; }

 private:
  HANDLE job_;
};

// The clipboard, held open by a hidden window of our own: a clipboard opened
// without an owner window refuses new data after it was emptied.
class ClipboardSession {
 public:
  ClipboardSession()
      : owner_(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
    // Another program may have it open for a moment.
    for (int attempt = 0; owner_ && attempt < 20 && !open_; ++attempt) {
      open_ = ::OpenClipboard(owner_) != 0;
      if (!open_) ::Sleep(25);
    }
  }
  ~ClipboardSession() {
    if (open_) ::CloseClipboard();
    if (owner_) ::DestroyWindow(owner_);
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool isOpen() const { return open_; }

 private:
  HWND owner_;
  bool open_ = false;
};

HGLOBAL globalText(std::u16string_view text) {
  size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return nullptr;
  auto* target = static_cast<char16_t*>(::GlobalLock(memory));
  if (!target) {
    ::GlobalFree(memory);
    return nullptr;
  }
  text.copy(target, text.size());
  target[text.size()] = u'\0';
  ::GlobalUnlock(memory);
  return memory;
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
  wchar_t title[1025] = {};
  int length = ::GetWindowTextW(window, title, 1025);
  auto* windows = reinterpret_cast<std::vector<TopLevelWindow>*>(list);
  windows->push_back(TopLevelWindow{reinterpret_cast<uintptr_t>(window),
                                    std::u16string(reinterpret_cast<const char16_t*>(title),
                                                   static_cast<size_t>(length > 0 ? length : 0)),
                                    ::IsWindowVisible(window) != 0});
  return TRUE;
}

class Win32Host : public Host {
 public:
  bool showWindow(const platform::TextWindow& window) override { return showNativeTextWindow(window); }

  void showMessageBox(std::u16string_view title, std::u16string_view text, MessageIcon icon) override {
    UINT style = MB_OK | MB_SETFOREGROUND | (icon == MessageIcon::error ? MB_ICONERROR : MB_ICONINFORMATION);
    ::MessageBoxW(nullptr, wide(std::u16string(text)), wide(std::u16string(title)), style);
  }

  DesktopSize desktopSize() override { return nativeDesktopSize(); }

  void notice(std::u16string_view line) override {
    std::u16string text = std::u16string(line) + u"\r\n";
    writeStandardError(text::encodeUtf8(text));
    ::OutputDebugStringW(wide(text));
  }

  bool startProgram(const std::u16string& program, const std::u16string& pathArgument,
                    const std::u16string& workingFolder) override {
    // Out of any job the tool runs in, as the program runs on after us; a
    // job that allows no leaving keeps it.
    const std::u16string argument = u"\"" + pathArgument + u"\"";
    const wchar_t* folder = workingFolder.empty() ? nullptr : wide(workingFolder);
    ProcessHandles handles;
    return createProcess(wide(program), argument, folder, handles, CREATE_BREAKAWAY_FROM_JOB) ||
           createProcess(wide(program), argument, folder, handles);
  }

  // In a job that ends with its last handle, ours: whatever ends the tool
  // ends the program too, and what it started.
  ChildEnd runAndWait(const std::u16string& commandLine, std::chrono::milliseconds limit) override {
    JobHandle job;
    ProcessHandles handles;
    if (!job.valid() || !createProcess(nullptr, commandLine, nullptr, handles, CREATE_SUSPENDED)) {
      return ChildEnd::failed;
    }
    if (!::AssignProcessToJobObject(job.get(), handles.info.hProcess)) {
      ::TerminateProcess(handles.info.hProcess, 1);
      return ChildEnd::failed;
    }
    ::ResumeThread(handles.info.hThread);
    if (::WaitForSingleObject(handles.info.hProcess, static_cast<DWORD>(limit.count())) == WAIT_TIMEOUT) {
      ::TerminateJobObject(job.get(), 1);
      return ChildEnd::timedOut;
    }
    DWORD exitCode = 1;
    return ::GetExitCodeProcess(handles.info.hProcess, &exitCode) && exitCode == 0 ? ChildEnd::succeeded
                                                                                    : ChildEnd::failed;
  }

  std::vector<TopLevelWindow> topLevelWindows() override {
    std::vector<TopLevelWindow> windows;
    ::EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
  }

  void bringToForeground(uintptr_t windowId) override {
    HWND window = reinterpret_cast<HWND>(windowId);
    // A minimised window would take no keys.
    if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
    ::SetForegroundWindow(window);
  }

  int16_t keyForCharacter(char16_t c) override { return ::VkKeyScanW(static_cast<wchar_t>(c)); }

  void sendKey(uint16_t virtualKey, uint32_t flags) override {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = 0;
    input.ki.dwFlags = flags;
    input.ki.time = 0;
    input.ki.dwExtraInfo = 0;
    ::SendInput(1, &input, sizeof input);
  }

  void sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds)); }

  bool setClipboardText(std::u16string_view text) override {
    ClipboardSession clipboard;
    if (!clipboard.isOpen() || !::EmptyClipboard()) return false;
    HGLOBAL memory = globalText(text);
    if (!memory) return false;
    if (::SetClipboardData(CF_UNICODETEXT, memory)) return true;
    ::GlobalFree(memory);
    return false;
  }
};

}  // namespace

std::unique_ptr<Host> Host::create() { return std::make_unique<Win32Host>(); }

}  // namespace platform
