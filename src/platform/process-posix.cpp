#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/interruption.h"

namespace platform {

void prepareProcess() {
  ::signal(SIGPIPE, SIG_IGN);
  ::signal(SIGXFSZ, SIG_IGN);
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // open() takes the lowest free number, which is this one.
    const int opened = ::open("/dev/null", O_RDWR);
    if (opened != fd && opened >= 0) ::close(opened);
  }
  cleanUpOnInterruption();
}

uint32_t currentProcessId() { return static_cast<uint32_t>(::getpid()); }

bool processRunning(uint32_t processId) {
  const pid_t pid = static_cast<pid_t>(processId);
  // EPERM: it exists but belongs to someone else.
  return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

void killThisProcess() {
  ::kill(::getpid(), SIGKILL);
  ::_exit(137);
}

}  // namespace platform
