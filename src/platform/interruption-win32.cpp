#include "platform/interruption.h"

#include <windows.h>

#include <array>
#include <string>

namespace platform {
namespace {

// The console calls the handler on a thread of its own while the run goes
// on: one lock keeps it from the table and from a group of renames.
struct Registry {
  Registry() { ::InitializeCriticalSection(&lock); }
  CRITICAL_SECTION lock;
  std::array<std::u16string, 16> paths;
};

Registry& registry() {
  static Registry shared;
  return shared;
}

class Locked {
 public:
  Locked() { ::EnterCriticalSection(&registry().lock); }
  ~Locked() { ::LeaveCriticalSection(&registry().lock); }
};

// The numbers of the signals a POSIX shell would report for the same request.
UINT exitCodeOf(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT: return 128 + 2;
    case CTRL_BREAK_EVENT: return 128 + 21;
    default: return 128 + 1;
  }
}

BOOL WINAPI onInterruption(DWORD event) {
  // Never released: the process ends here. A program waited for is in a job
  // that ends with the process.
  ::EnterCriticalSection(&registry().lock);
  for (const auto& path : registry().paths) {
    if (!path.empty()) ::DeleteFileW(reinterpret_cast<const wchar_t*>(path.c_str()));
  }
  ::ExitProcess(exitCodeOf(event));
  return TRUE;
}

}  // namespace

void cleanUpOnInterruption() {
  registry();
  ::SetConsoleCtrlHandler(onInterruption, TRUE);
}

RemovedOnInterruption::RemovedOnInterruption(const std::u16string& path) : slot_(-1) {
  Locked locked;
  auto& paths = registry().paths;
  for (size_t i = 0; i < paths.size(); ++i) {
    if (!paths[i].empty()) continue;
    paths[i] = path;
    slot_ = static_cast<int>(i);
    return;
  }
}

RemovedOnInterruption::~RemovedOnInterruption() {
  if (slot_ < 0) return;
  Locked locked;
  registry().paths[static_cast<size_t>(slot_)].clear();
}

InterruptionsHeld::InterruptionsHeld() { ::EnterCriticalSection(&registry().lock); }

InterruptionsHeld::~InterruptionsHeld() { ::LeaveCriticalSection(&registry().lock); }

// The job object the program runs in already ends it with the process.
EndedOnInterruption::EndedOnInterruption(int64_t) {}

EndedOnInterruption::~EndedOnInterruption() {}

}  // namespace platform
