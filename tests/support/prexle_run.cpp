#include "support/prexle_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace testing_support {
namespace {

std::string drain(int fd) {
  std::string bytes;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) bytes.append(buffer, static_cast<size_t>(n));
  return bytes;
}

const char* kStandInTarget = R"(#!/bin/sh
# Stand-in target program: records the path it was handed, as the editor
# would open it. Padded past the size a real program must have.
# ..........................................................................
name=${0##*/}
printf '%s' "$1" > "${0%/*}/handed-${name%.exe}.txt"
)";

}  // namespace

RunResult runPrexle(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                    const std::string& setup) {
  int outPipe[2];
  int errPipe[2];
  if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) return {};
  pid_t pid = ::fork();
  if (pid == 0) {
    int devNull = ::open("/dev/null", O_RDONLY);
    ::dup2(devNull, 0);
    ::dup2(outPipe[1], 1);
    ::dup2(errPipe[1], 2);
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    ::close(devNull);
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    std::vector<std::string> words{PREXLE_BINARY};
    if (!setup.empty()) words.insert(words.begin(), {"/bin/sh", "-c", setup + "; exec \"$0\" \"$@\""});
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  RunResult result;
  // Both pipes are small enough for the tool's output; read one after the other.
  result.out = drain(outPipe[0]);
  result.err = drain(errPipe[0]);
  ::close(outPipe[0]);
  ::close(errPipe[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

Workspace::Workspace() {
  root_.write("host/portable.inf", "");
  std::filesystem::create_directories(root_ / "host/DATA");
  std::filesystem::create_directories(root_ / "src");
  for (const char* target : {"host/Corvane.exe", "host/Brisko.exe"}) {
    root_.write(target, kStandInTarget);
    std::filesystem::permissions(root_ / target, std::filesystem::perms::owner_all);
  }
}

std::string Workspace::sourcePath(const std::string& name) const { return (root_ / "src" / name).string(); }

std::string Workspace::hostFolder() const { return (root_ / "host").string() + "/"; }

void Workspace::writeSource(const std::string& bytes, const std::string& name) const {
  root_.write("src/" + name, bytes);
}

RunResult Workspace::run(const std::string& mode, const std::string& name) const {
  return runPrexle({sourcePath(name), hostFolder(), mode}, root_.path());
}

std::string Workspace::handedPath(const std::string& target) const {
  const std::string file = "host/handed-" + target + ".txt";
  // The target runs on its own after the tool has ended; give it a moment.
  for (int i = 0; i < 50 && !root_.exists(file); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return root_.read(file);
}

std::vector<int32_t> lineMapEntries(const std::string& bytes) {
  std::vector<int32_t> entries(bytes.size() / 4);
  std::memcpy(entries.data(), bytes.data(), entries.size() * 4);
  return entries;
}

FakeClipboard::FakeClipboard(const Workspace& ws, const std::string& script) : ws_(ws) {
  ws.root().write("bin/xclip", "#!/bin/sh\n" + script + "\n");
  std::filesystem::permissions(ws.root() / "bin/xclip", std::filesystem::perms::owner_all);
  const char* path = std::getenv("PATH");
  saved_ = path ? path : "";
  setenv("PATH", ((ws.root() / "bin").string() + ":" + saved_).c_str(), 1);
}

FakeClipboard::~FakeClipboard() { setenv("PATH", saved_.c_str(), 1); }

std::string FakeClipboard::text() const { return ws_.root().read("bin/clipboard.txt"); }

std::string fatalWindow(const std::string& message) {
  return "Prexle Fatal Error !!! \n"
         "Prexle version 5.23 - 01 Sep 2026\n"
         "---------------Fatal Error ------------------------\n"
         "\n" +
         message +
         "\n"
         "----------------------------------------------------\n"
         "Close this window and resolve the error to continue.\n"
         "----------------------------------------------------\n";
}

}  // namespace testing_support
