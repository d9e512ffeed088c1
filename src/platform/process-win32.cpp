#include "platform/process.h"

#include <windows.h>

#include "platform/interruption.h"

namespace platform {

// Windows raises no signal for a closed pipe or a file-size limit, and a GUI
// program starts without standard streams anyway: only interruptions remain.
void prepareProcess() { cleanUpOnInterruption(); }

uint32_t currentProcessId() { return ::GetCurrentProcessId(); }

bool processRunning(uint32_t processId) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
  DWORD exitCode = 0;
  // A process that has ended lives on as long as somebody holds it open.
  const bool running = ::GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
  ::CloseHandle(process);
  return running;
}

void killThisProcess() {
  ::TerminateProcess(::GetCurrentProcess(), 137);
  ::ExitProcess(137);
}

}  // namespace platform
