// Faults a user meets when the environment or the source is not as it should
// be: each ends in a clear message or a complete result, never a lost program.

#include <gtest/gtest.h>

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

}  // namespace
