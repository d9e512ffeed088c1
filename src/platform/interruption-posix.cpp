#include "platform/interruption.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "platform/files.h"
#include "text/utf8.h"

namespace platform {
namespace {

constexpr int kRequests[] = {SIGTERM, SIGINT, SIGHUP};

// A run holds a handful of temporaries at once (a result, its map, the
// second names kept while they take their places); the paths are encoded
// beforehand, since the handler may neither allocate nor encode.
constexpr int kSlots = 16;
std::atomic<char*> g_paths[kSlots];
std::atomic<pid_t> g_child{0};

static_assert(std::atomic<char*>::is_always_lock_free && std::atomic<pid_t>::is_always_lock_free,
              "the handler reads them");

extern "C" void onInterruption(int signal) {
  for (auto& slot : g_paths) {
    if (const char* path = slot.load()) ::unlink(path);
  }
  if (const pid_t child = g_child.load(); child > 0) ::kill(-child, SIGKILL);
  ::_exit(128 + signal);
}

sigset_t requestSet() {
  sigset_t set;
  ::sigemptyset(&set);
  for (int request : kRequests) ::sigaddset(&set, request);
  return set;
}

}  // namespace

void cleanUpOnInterruption() {
  struct sigaction action {};
  action.sa_handler = onInterruption;
  // The other requests wait while one is handled.
  action.sa_mask = requestSet();
  for (int request : kRequests) {
    struct sigaction before {};
    if (::sigaction(request, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    ::sigaction(request, &action, nullptr);
  }
}

RemovedOnInterruption::RemovedOnInterruption(const std::u16string& path) : slot_(-1) {
  const std::string native = text::encodeUtf8(nativePath(path));
  char* copy = new char[native.size() + 1];
  std::memcpy(copy, native.c_str(), native.size() + 1);
  for (int i = 0; i < kSlots; ++i) {
    char* empty = nullptr;
    if (g_paths[i].compare_exchange_strong(empty, copy)) {
      slot_ = i;
      return;
    }
  }
  // All slots taken: this file is left to the next run's clean-up.
  delete[] copy;
}

RemovedOnInterruption::~RemovedOnInterruption() {
  if (slot_ >= 0) delete[] g_paths[slot_].exchange(nullptr);
}

// Held sections may nest; the outermost one lets the requests through.
int g_heldDepth = 0;

InterruptionsHeld::InterruptionsHeld() {
  if (g_heldDepth++ > 0) return;
  const sigset_t set = requestSet();
  ::sigprocmask(SIG_BLOCK, &set, nullptr);
}

InterruptionsHeld::~InterruptionsHeld() {
  if (--g_heldDepth > 0) return;
  // A request that came meanwhile is handled here.
  const sigset_t set = requestSet();
  ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

EndedOnInterruption::EndedOnInterruption(int64_t processId) { g_child.store(static_cast<pid_t>(processId)); }

EndedOnInterruption::~EndedOnInterruption() { g_child.store(0); }

}  // namespace platform
