// Faults a user meets when the environment or the source is not as it should
// be: each ends in a clear message or a complete result, never a lost program.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "support/prexle_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::FakeClipboard;
using testing_support::fatalWindow;
using testing_support::lineMapEntries;
using testing_support::runPrexle;
using testing_support::Workspace;

TEST(Reliability, AFailedRunLeavesThePreviousResultAndMapAsTheyWere) {
  Workspace ws;
  ws.writeSource("a=1\r\nb=2\r\n");
  ASSERT_EQ(ws.run("Brisko").exitCode, 0);
  ws.writeSource("a=1\r\nc=3\r\nd=4\r\n#INCLUDE missing.inc\r\n");
  EXPECT_EQ(ws.run("Brisko").exitCode, 1);
  EXPECT_EQ(ws.root().read("src/X/prog.bas"), "a=1\r\nb=2\r\n");
  EXPECT_EQ(lineMapEntries(ws.data("lineno.txt")), (std::vector<int32_t>{1, 2}));
}

TEST(Reliability, ATargetLineThatIsNotEmittedDoublesNoLaterEntry) {
  Workspace ws;
  ws.writeSource("#LIBRARYSTART\r\n' runs on a 'target picomite\r\nSub Lib\r\n#LIBRARYEND\r\na=1\r\nb=2\r\n");
  ASSERT_EQ(ws.run("Brisko").exitCode, 0);
  EXPECT_EQ(ws.root().read("src/X/prog.bas"), "a=1\r\nb=2\r\n");
  EXPECT_EQ(lineMapEntries(ws.data("lineno.txt")), (std::vector<int32_t>{5, 6}));
}

// The listing repeats the instruction's comment, here "'target x": the
// generated text must still not be taken for a target line.
TEST(Reliability, GeneratedPioTextIsNeverReadForDirectives) {
  Workspace ws;
  ws.writeSource("#PIOSTART\r\n.program blink\r\nset pins, 1 ''target x\r\n#PIOEND\r\nx=1\r\n");
  ASSERT_EQ(ws.run("Brisko").exitCode, 0);
  EXPECT_EQ(ws.root().read("src/X/prog.bas"),
            "'---Start of Generated Code and Commands---\r\n"
            "PIO PROGRAM LINE 0,&h00,&hE001  'SET PINS &b00001(GP4-GP0)" + std::string(23, ' ') + "\r\n"
            "SETPIN GP0,PIO0 'SET\r\nSETPIN GP1,PIO0 'SET\r\nSETPIN GP2,PIO0 'SET\r\n"
            "SETPIN GP3,PIO0 'SET\r\nSETPIN GP4,PIO0 'SET\r\n"
            "PIO INIT MACHINE 0,0,0,&H14000000,&H0,&HC0000,&H0\r\n"  // wraps at its one instruction
            "PIO START 0,0\r\n"
            "x=1\r\n");
  EXPECT_EQ(lineMapEntries(ws.data("lineno.txt")), (std::vector<int32_t>{4, 4, 4, 4, 4, 4, 4, 4, 4, 5}));
}

TEST(Reliability, NothingIsWrittenOverTheSource) {
  struct Case {
    const char* what;
    std::string source;  // below the workspace root
    std::string mode;
    std::string victim;  // the path the message names, below the root
  } cases[] = {
      {"a result folder X that links to the source's own folder", "src/prog.bas", "Brisko",
       "src/X\\prog.bas"},
      {"a source opened from the data folder", "host/DATA/PasmErrors.txt", "Corvane",
       "host/DATA\\PasmErrors.txt"},
      {"a library that saves itself", "util.lib", "Corvane", "util.lib"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    const std::string program = "#LIBRARYLOAD util.lib\r\n#LIBRARYSTART\r\nSub U\r\n#LIBRARYEND\r\n";
    ws.root().write(c.source, program);
    fs::create_directory_symlink(ws.root() / "src", ws.root() / "src/X");
    auto result = runPrexle({(ws.root() / c.source).string(), ws.hostFolder(), c.mode}, ws.root().path());
    EXPECT_EQ(result.exitCode, 1) << c.what;
    std::string victim = c.victim == "util.lib" ? c.victim : (ws.root() / c.victim).string();
    EXPECT_EQ(result.err, fatalWindow("Prexle will not overwrite its source file: " + victim + "\n"))
        << c.what;
    EXPECT_EQ(ws.root().read(c.source), program) << c.what;
  }
}

TEST(Reliability, TheEnvironmentCannotKillARunHalfWay) {
  Workspace ws;
  // A clipboard program that goes before reading a program too big for the pipe.
  FakeClipboard clipboard(ws, "exit 0");
  ws.writeSource("#PI_CLIPBOARD\r\n" + std::string(200000, 'x') + "\r\n");
  auto result = ws.run("Corvane");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "The clipboard could not be filled; the result is in " + ws.sourcePath("prog_x.bas") + "\n");

  // A file-size limit: the result cannot be written, which is reported, and
  // no temporary file is left behind.
  ws.writeSource("x=1\r\n");
  result = runPrexle({ws.sourcePath(), ws.hostFolder(), "PIOCHECK"}, ws.root().path(), "ulimit -f 0");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, fatalWindow(" cant open " + ws.sourcePath("prog_x.bas") + "\n"));
  for (const auto& entry : fs::directory_iterator(ws.root() / "src")) {
    EXPECT_EQ(entry.path().filename().string().find(".prexle"), std::string::npos) << entry.path();
  }

  // Closed standard streams: the report and the run log, opened first, must
  // not take their numbers and receive the windows and notices.
  ws.writeSource("#DEBUG\r\n#IFDEF OPEN\r\n");
  result = runPrexle({ws.sourcePath(), ws.hostFolder(), "Corvane"}, ws.root().path(), "exec >&- 2>&-");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(ws.data("PasmErrors.txt"), "");
  EXPECT_EQ(ws.data("Prexle.txt"), "");
}

TEST(Reliability, TheTargetProgramKeepsNoReaderWaitingAndNoLinkIsFollowed) {
  Workspace ws;
  ws.root().write("host/Corvane.exe", "#!/bin/sh\n# a target that talks and stays a while\n" +
                                          std::string(100, '#') + "\necho talking; exec sleep 2\n");
  ws.root().write("victim.txt", "keep me");
  fs::create_symlink(ws.root() / "victim.txt", ws.root() / "src/prog_x.bas.prexle-tmp");
  ws.writeSource("x=1\r\n");
  auto result = ws.run("Corvane");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "") << "the target's output is not ours";
  EXPECT_EQ(ws.root().read("victim.txt"), "keep me");
  EXPECT_EQ(ws.root().read("src/prog_x.bas"), "x=1\r\n");
}

// A write that fails at its end leaves the pair, and every other result, as
// the previous run left them.
TEST(Reliability, AFileThatCannotTakeItsPlaceChangesNothing) {
  struct Case {
    const char* what;
    std::string source;
    std::string blocked;  // a folder made at this name, below the root
    std::string message;
  } cases[] = {
      {"the result", "x=2\r\n", "src/X/prog.bas", " cant open {root}/src/X\\prog.bas\n"},
      {"a library", "#LIBRARYLOAD mylib\r\n#LIBRARYSTART\r\nSub A\r\n#LIBRARYEND\r\n", "mylib.lib",
       "Failed to created file mylib.lib\n"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    ws.writeSource("x=1\r\n");
    ASSERT_EQ(ws.run("Brisko").exitCode, 0);
    fs::remove(ws.root() / c.blocked);
    fs::create_directory(ws.root() / c.blocked);
    ws.writeSource(c.source + "y=1\r\n");
    auto result = ws.run("Brisko");
    EXPECT_EQ(result.exitCode, 1) << c.what;
    std::string message = c.message;
    if (const size_t root = message.find("{root}"); root != std::string::npos) {
      message.replace(root, 6, ws.root().path().string());
    }
    EXPECT_EQ(result.err, fatalWindow(message)) << c.what;
    EXPECT_EQ(lineMapEntries(ws.data("lineno.txt")), (std::vector<int32_t>{1})) << c.what;
    if (c.blocked != "src/X/prog.bas") {
      EXPECT_EQ(ws.root().read("src/X/prog.bas"), "x=1\r\n") << c.what;
    }
    for (const char* folder : {"src/X", "host/DATA", "."}) {
      for (const auto& entry : fs::directory_iterator(ws.root() / folder)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".prexle-")) << c.what << entry.path();
      }
    }
  }
}

// Programs as a user may hand them over: a name as long as the system
// allows, a file saved as UTF-16, something that is not a file at all.
TEST(Reliability, ProgramFilesOfEveryKindEndInAResultOrAClearMessage) {
  const std::string longName = std::string(251, 'p') + ".bas";
  const std::string notAFile =
      "Prexle reads programs only from plain files, and this is not one (a folder, device or pipe): ";
  struct Case {
    const char* what;
    std::string name;
    std::string bytes;
    std::string result;  // below src/X; or the message, after the path
  } cases[] = {
      {"a name of 255 bytes", longName, "x=1\r\n", "x=1\r\n"},
      {"UTF-16, little end first", "prog.bas", std::string("\xFF\xFEx\0=\0\xE9\0\r\0\n\0", 12), "x=\xC3\xA9\r\n"},
      {"UTF-16, big end first", "prog.bas", std::string("\xFE\xFF\0x\0=\0\xE9\0\r\0\n", 12), "x=\xC3\xA9\r\n"},
      {"an include that is a pipe", "prog.bas", "#INCLUDE pipe.inc\r\n", "src/pipe.inc"},
      {"an include that is a folder", "prog.bas", "#INCLUDE lib\r\n", "src/lib"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    ws.writeSource(c.bytes, c.name);
    ::mkfifo((ws.root() / "src/pipe.inc").c_str(), 0600);
    fs::create_directory(ws.root() / "src/lib");
    auto result = ws.run("Brisko", c.name);
    if (c.result.starts_with("src/")) {
      EXPECT_EQ(result.exitCode, 1) << c.what;
      EXPECT_EQ(result.err, fatalWindow(notAFile + (ws.root() / c.result).string() + "\n")) << c.what;
    } else {
      EXPECT_EQ(result.exitCode, 0) << c.what << result.err;
      EXPECT_EQ(ws.root().read("src/X/" + c.name), c.result) << c.what;
    }
  }
}

// What the next run finds: the leftovers of a killed run go, those of a run
// still under way stay; a link at a working file's name is replaced.
TEST(Reliability, LeftoversOfDeadRunsGoAndLinksAreReplacedNotFollowed) {
  Workspace ws;
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  const std::string deadName = ".prexle-" + std::to_string(dead) + "-0123abcd.tmp";
  const std::string liveName = ".prexle-" + std::to_string(::getpid()) + "-0123abcd.tmp";
  for (const char* folder : {"src/X/", "host/DATA/", ""}) {
    ws.root().write(folder + deadName, "stale");
    ws.root().write(folder + liveName, "in use");
  }
  ws.root().write("victim.txt", "keep me");
  fs::create_symlink(ws.root() / "victim.txt", ws.root() / "z_wave.cfg");
  ws.writeSource("#ARRAYGENERATE\r\n#ARRAYSTART a b wave\r\n1\r\n#ARRAYEND\r\nx=1\r\n");
  auto result = runPrexle({ws.sourcePath(), (ws.root() / "host").string(), "Brisko"}, ws.root().path());
  EXPECT_EQ(result.exitCode, 0) << "a host folder without its separator is the editor's form";
  EXPECT_EQ(ws.handedPath("Brisko"), ws.sourcePath("X/prog.bas"));
  for (const char* folder : {"src/X/", "host/DATA/", ""}) {
    EXPECT_FALSE(ws.root().exists(folder + deadName)) << folder;
    EXPECT_EQ(ws.root().read(folder + liveName), "in use") << folder;
  }
  EXPECT_EQ(ws.root().read("victim.txt"), "keep me");
  EXPECT_EQ(ws.root().read("z_wave.cfg"), "*a b wave\r\n1\r\n");
  EXPECT_FALSE(fs::is_symlink(ws.root() / "z_wave.cfg"));
}

// A generator that ends its caller: by a request, which ends the run with
// 128 + the signal and leaves the previous result; or uncatchably, which must
// not leave the generator running.
TEST(Reliability, AKilledRunLeavesNoGeneratorAndNoHalfResult) {
  for (const char* signal : {"TERM", "KILL"}) {
    Workspace ws;
    ws.root().write("bin/Vemtor.exe", std::string("#!/bin/sh\necho $$ > \"$(dirname \"$0\")/pid\"\nkill -") + signal +
                                          " $PPID\nexec sleep 30\n");
    fs::permissions(ws.root() / "bin/Vemtor.exe", fs::perms::owner_all);
    ws.writeSource("x=1\r\n");
    ASSERT_EQ(ws.run("Brisko").exitCode, 0);
    ws.writeSource("#ARRAYGENERATE\r\n#ARRAYSTART a b w\r\n#ARRAYEND\r\ny=1\r\n");
    auto result = runPrexle({ws.sourcePath(), ws.hostFolder(), "Brisko"}, ws.root().path(),
                            "PATH=" + (ws.root() / "bin").string() + ":$PATH");
    EXPECT_EQ(result.exitCode, signal == std::string("TERM") ? 128 + SIGTERM : -1) << signal;
    EXPECT_EQ(ws.root().read("src/X/prog.bas"), "x=1\r\n") << signal;
    std::string pid = ws.root().read("bin/pid");
    const std::string stat = "/proc/" + pid.substr(0, pid.size() - 1) + "/stat";
    auto running = [&] {
      const std::string state = testing_support::readFile(stat);
      return state != "<missing>" && state.find(") Z ") == std::string::npos;
    };
    // The kernel ends it as its parent dies; give the reaping a moment.
    for (int i = 0; i < 200 && running(); ++i) ::usleep(10000);
    EXPECT_FALSE(running()) << signal;
  }
}

}  // namespace
