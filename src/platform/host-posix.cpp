#include "platform/host.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/console.h"
#include "platform/console_text.h"
#include "platform/descriptors-posix.h"
#include "platform/files.h"
#include "platform/interruption.h"
#include "platform/text_window.h"
#include "text/utf8.h"

namespace platform {
namespace {

// Without a desktop the windows are laid out for a common screen size.
constexpr DesktopSize kNominalDesktop{1920, 1080};

std::string native(std::u16string_view path) { return text::encodeUtf8(nativePath(path)); }

std::vector<std::string> split(const std::string& line, char separator) {
  std::vector<std::string> words;
  size_t start = 0;
  while (start <= line.size()) {
    size_t end = line.find(separator, start);
    if (end == std::string::npos) end = line.size();
    words.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

std::string findOnPath(const std::string& program) {
  if (program.find('/') != std::string::npos) return program;
  const char* path = std::getenv("PATH");
  for (const auto& folder : split(path ? path : "", ':')) {
    std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

std::vector<char*> argvOf(std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return argv;
}

// In a child: standard input, output and error on the null device, so that a
// program running on after us keeps no reader of our output waiting.
void detachStandardStreams() {
  const int devNull = ::open("/dev/null", O_RDWR);
  if (devNull < 0) return;
  for (int fd = 0; fd <= 2; ++fd) ::dup2(devNull, fd);
  if (devNull > 2) ::close(devNull);
}

using Clock = std::chrono::steady_clock;
using Deadline = std::optional<Clock::time_point>;

int millisecondsLeft(const Deadline& deadline) {
  if (!deadline) return -1;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now());
  return static_cast<int>(std::max<int64_t>(0, left.count()));
}

// Writes all bytes to a pipe; false when the reader goes away or the deadline
// passes first.
bool feed(int fd, const std::string& bytes, const Deadline& deadline) {
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  size_t done = 0;
  while (done < bytes.size()) {
    pollfd ready{fd, POLLOUT, 0};
    const int polled = ::poll(&ready, 1, millisecondsLeft(deadline));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) return false;
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Ends a child that is given up on (with its process group, when it leads
// one), and collects it so no zombie is left.
void killChild(pid_t pid, bool group) {
  ::kill(group ? -pid : pid, SIGKILL);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

// How a child is run: fed standard input or not, given a time limit or not,
// with its output on the null device or on ours, and tied to our life (in a
// process group of its own, ended when we end however we end) or not.
struct ChildRun {
  const std::string* input = nullptr;
  Deadline deadline;
  bool quiet = false;
  bool tied = false;
};

// Sleeps until the child has ended or the deadline has passed: woken by the
// kernel where it can tell (a process file descriptor), else after a while.
void awaitChild(pid_t pid, const Deadline& deadline) {
#ifdef SYS_pidfd_open
  const int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  if (fd >= 0) {
    pollfd ended{fd, POLLIN, 0};
    ::poll(&ended, 1, millisecondsLeft(deadline));
    ::close(fd);
    return;
  }
#endif
  ::usleep(10000);
}

// Waits for the child; one still running at the deadline is killed.
ChildEnd waitForChild(pid_t pid, const ChildRun& how) {
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid, &status, how.deadline ? WNOHANG : 0);
    if (done == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ChildEnd::succeeded : ChildEnd::failed;
    if (done < 0 && errno != EINTR) return ChildEnd::failed;
    if (done == 0 && millisecondsLeft(how.deadline) == 0) {
      killChild(pid, how.tied);
      return ChildEnd::timedOut;
    }
    if (done == 0) awaitChild(pid, how.deadline);
  }
}

// In a child about to run a program tied to our life.
void tieToParent(pid_t parent) {
  ::setpgid(0, 0);
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  // The parent may have died before the tie was made.
  if (::getppid() != parent) ::_exit(127);
}

// Runs argv in a child and waits for it.
ChildEnd runChild(std::vector<std::string> words, const ChildRun& how) {
  int pipeFds[2] = {-1, -1};
  if (how.input && ::pipe2(pipeFds, O_CLOEXEC) != 0) return ChildEnd::failed;
  const pid_t parent = ::getpid();
  pid_t pid = ::fork();
  if (pid < 0) return ChildEnd::failed;
  if (pid == 0) {
    if (how.tied) tieToParent(parent);
    if (how.quiet) detachStandardStreams();
    if (how.input) ::dup2(pipeFds[0], 0);
    auto argv = argvOf(words);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  // Made on both sides, so it is there whichever runs first.
  if (how.tied) ::setpgid(pid, pid);
  EndedOnInterruption endedWithUs(how.tied ? pid : 0);
  if (how.input) {
    ::close(pipeFds[0]);
    const bool fed = feed(pipeFds[1], *how.input, how.deadline);
    ::close(pipeFds[1]);
    if (!fed) {
      killChild(pid, how.tied);
      return ChildEnd::failed;
    }
  }
  return waitForChild(pid, how);
}

// A clipboard program that neither reads nor ends (no display to serve)
// gets this long before the run goes on without it.
constexpr auto kClipboardLimit = std::chrono::seconds(10);

class PosixHost : public Host {
 public:
  bool showWindow(const platform::TextWindow& window) override {
    bool isError = window.purpose == platform::WindowPurpose::fatalError;
    writeAll(isError ? 2 : 1, text::encodeUtf8(platform::consoleText(window)));
    waitForClose();
    return true;
  }

  void showMessageBox(std::u16string_view title, std::u16string_view message, MessageIcon) override {
    std::u16string lines = std::u16string(title) + u"\n" + std::u16string(message) + u"\n";
    writeAll(2, text::encodeUtf8(lines));
  }

  DesktopSize desktopSize() override { return kNominalDesktop; }

  void notice(std::u16string_view line) override { writeStandardError(text::encodeUtf8(line) + "\n"); }

  // Spawned (no copy of our address space), in a session of its own and with
  // its standard streams on the null device; it runs on after we end.
  bool startProgram(const std::u16string& program, const std::u16string& pathArgument,
                    const std::u16string& workingFolder) override {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawnattr_init(&attributes);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    const std::string folder = native(workingFolder);
    ::posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    for (int fd = 0; fd <= 2; ++fd) ::posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_RDWR, 0);
    std::vector<std::string> words{native(program), native(pathArgument)};
    auto argv = argvOf(words);
    pid_t pid = 0;
    const int failed = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    return failed == 0;
  }

  // Words split as on Windows, so a quoted program path may hold blanks; a
  // bare name is looked for on PATH.
  ChildEnd runAndWait(const std::u16string& commandLine, std::chrono::milliseconds limit) override {
    std::vector<std::string> words;
    for (const auto& word : splitCommandLine(commandLine)) words.push_back(text::encodeUtf8(word));
    if (words.empty()) return ChildEnd::failed;
    words[0] = findOnPath(native(text::decodeUtf8(words[0])));
    if (words[0].empty()) return ChildEnd::failed;
    ChildRun how;
    how.deadline = Clock::now() + limit;
    how.tied = true;
    return runChild(std::move(words), how);
  }

  // No window of another program can be reached from here.
  std::vector<TopLevelWindow> topLevelWindows() override { return {}; }
  void bringToForeground(uintptr_t) override {}
  int16_t keyForCharacter(char16_t) override { return -1; }
  void sendKey(uint16_t, uint32_t) override {}

  void sleep(int milliseconds) override {
    timespec wait{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
  }

  bool setClipboardText(std::u16string_view text) override {
    static const std::vector<std::vector<std::string>> kCopiers = {
        {"wl-copy"}, {"xclip", "-selection", "clipboard"}, {"xsel", "--clipboard", "--input"}};
    for (const auto& copier : kCopiers) {
      std::string program = findOnPath(copier[0]);
      if (program.empty()) continue;
      std::vector<std::string> words = copier;
      words[0] = program;
      const std::string bytes = text::encodeUtf8(text);
      return runChild(std::move(words), {&bytes, Clock::now() + kClipboardLimit, true}) == ChildEnd::succeeded;
    }
    return false;
  }

 private:
  // The console stands in for the close box: Enter closes the window, but
  // only when somebody is there to press it.
  static void waitForClose() {
    if (!::isatty(0)) return;
    char c = 0;
    while (::read(0, &c, 1) == 1 && c != '\n') {
    }
  }
};

}  // namespace

std::unique_ptr<Host> Host::create() { return std::make_unique<PosixHost>(); }

}  // namespace platform
