// Whole runs of the tool: parameters, working files, the result and its
// hand-off, and the fatal errors that stop a run.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/prexle_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::lineMapEntries;
using testing_support::fatalWindow;
using testing_support::runPrexle;
using testing_support::TempFolder;
using testing_support::Workspace;

TEST(RunControl, WrongParametersStopBeforeAnyFileIsMade) {
  Workspace ws;
  ws.writeSource("x=1\r\n");
  // Anything but three parameters is the shell's command line, which takes one SOURCE.
  auto two = runPrexle({ws.sourcePath(), ws.hostFolder()}, ws.root().path());
  EXPECT_EQ(two.exitCode, 2);
  EXPECT_EQ(two.err, "prexle: error: more than one SOURCE: '" + ws.sourcePath() + "' '" + ws.hostFolder() +
                         "'\nTry 'prexle --help' for more information.\n");
  auto four = runPrexle({"a", "b", "Corvane", "d"}, ws.root().path());
  EXPECT_EQ(four.exitCode, 2);
  auto lower = ws.run("brisko");
  EXPECT_EQ(lower.exitCode, 1) << "the mode is case-sensitive";
  EXPECT_EQ(lower.err,
            fatalWindow("Prexle expects 3rd Parameters to be one of Brisko , Corvane or PIOCHECK \n"
                        "Check the setup of the Action Menu in Corvane is correct.\n"
                        "3 is passed\n"
                        "1st is " + ws.sourcePath() + "\n2nd is " + ws.hostFolder() +
                        "\n3rd is brisko\n"));
  EXPECT_FALSE(ws.root().exists("host/DATA/PasmErrors.txt"));
  EXPECT_FALSE(ws.root().exists("src/prog_x.bas"));
  EXPECT_EQ(two.out + four.out + lower.out, "");
}

TEST(RunControl, PlainLinesInEachMode) {
  Workspace ws;
  ws.writeSource("a=1\nb=2\r\nc=3");
  EXPECT_EQ(ws.run("PIOCHECK").exitCode, 0);
  EXPECT_EQ(ws.root().read("src/prog_x.bas"), "a=1\r\nb=2\r\nc=3\r\n");
  EXPECT_EQ(ws.handedPath("Corvane"), "<missing>") << "PIOCHECK starts nothing without a WinBasic target";
  auto corvane = ws.run("Corvane");
  EXPECT_EQ(corvane.exitCode, 0);
  EXPECT_EQ(ws.root().read("src/prog_x.bas"), "a=1\r\nb=2\r\nc=3\r\n");
  EXPECT_EQ(ws.handedPath("Corvane"), ws.sourcePath("prog_x.bas"));
  EXPECT_FALSE(ws.root().exists("host/DATA/lineno.txt"));
  EXPECT_EQ(ws.data("PasmErrors.txt"), "");

  auto brisko = ws.run("Brisko");
  EXPECT_EQ(brisko.exitCode, 0);
  EXPECT_EQ(ws.root().read("src/X/prog.bas"), "a=1\r\nb=2\r\nc=3\r\n");
  EXPECT_EQ(lineMapEntries(ws.data("lineno.txt")), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(ws.handedPath("Brisko"), ws.sourcePath("X/prog.bas"));
  EXPECT_EQ(corvane.out + corvane.err + brisko.out + brisko.err, "");

  ws.writeSource("");
  EXPECT_EQ(ws.run("Brisko").exitCode, 0);
  EXPECT_EQ(ws.root().read("src/X/prog.bas"), "") << "an empty source gives an empty result and map";
  EXPECT_EQ(ws.data("lineno.txt"), "");
}

TEST(RunControl, TextIsKeptByteForByte) {
  Workspace ws;
  // A byte-order mark, invalid UTF-8, non-ASCII text and mixed line ends.
  ws.writeSource("\xEF\xBB\xBFprint \"caf\xE9\"\rprint \"\xE2\x82\xAC\"\r\n\xF0\x9F\x98\x80\n");
  EXPECT_EQ(ws.run("Corvane").exitCode, 0);
  EXPECT_EQ(ws.root().read("src/prog_x.bas"),
            "print \"caf\xE9\"\r\nprint \"\xE2\x82\xAC\"\r\n\xF0\x9F\x98\x80\r\n");
}

TEST(RunControl, MissingSourceIsFatal) {
  Workspace ws;
  auto result = ws.run("Corvane", "absent.bas");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, fatalWindow("The passed Corvane .bas file cannot be opened\n"
                                    "File Not FOUND :" + ws.sourcePath("absent.bas") + "\n"
                                    "Check that the Corvane Action menu is passing the correct parameters\n"));
  EXPECT_FALSE(ws.root().exists("src/absent_x.bas"));
  EXPECT_EQ(ws.handedPath("Corvane"), "<missing>");
}

TEST(RunControl, MissingDataFolderStopsAtTheFirstWorkingFile) {
  Workspace ws;
  ws.writeSource("a=1\r\n");
  fs::remove_all(ws.root() / "host/DATA");
  auto corvane = ws.run("Corvane");
  EXPECT_EQ(corvane.exitCode, 1);
  EXPECT_EQ(corvane.err, fatalWindow("Failed to created file " + ws.hostFolder() + "DATA\\PasmErrors.txt\n"));
  auto brisko = ws.run("Brisko");
  EXPECT_EQ(brisko.err, fatalWindow("Failed to created file " + ws.hostFolder() + "DATA\\lineno.txt\n"));
  EXPECT_FALSE(ws.root().exists("src/prog_x.bas"));
}

TEST(RunControl, ThePortableMarkerDecidesWhereTheWorkingFilesGo) {
  Workspace ws;
  ws.writeSource("a=1\r\n");
  fs::remove(ws.root() / "host/portable.inf");
  fs::create_directories(ws.root() / "home/AppData/Local/Corvane5");
  const char* oldHome = std::getenv("HOME");
  std::string saved = oldHome ? oldHome : "";
  setenv("HOME", (ws.root() / "home").c_str(), 1);
  auto result = ws.run("Brisko");
  setenv("HOME", saved.c_str(), 1);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(ws.root().exists("home/AppData/Local/Corvane5/PasmErrors.txt"));
  EXPECT_EQ(ws.root().read("home/AppData/Local/Corvane5/lineno.txt").size(), 4u);
  EXPECT_FALSE(ws.root().exists("host/DATA/PasmErrors.txt"));
  fs::create_directories(ws.root() / "host/portable.inf");
  EXPECT_EQ(ws.run("Corvane").exitCode, 0) << "a folder of that name is a marker too";
  EXPECT_TRUE(ws.root().exists("host/DATA/PasmErrors.txt"));
}

TEST(RunControl, ResultThatCannotBeWrittenIsFatalAndNothingIsStarted) {
  Workspace ws;
  ws.writeSource("a=1\r\n");
  fs::create_directories(ws.root() / "src/prog_x.bas");  // a folder where the result belongs
  auto result = ws.run("Corvane");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, fatalWindow(" cant open " + ws.sourcePath("prog_x.bas") + "\n"));
  EXPECT_EQ(ws.handedPath("Corvane"), "<missing>");
  EXPECT_TRUE(fs::is_empty(ws.root() / "src/prog_x.bas"));
}

TEST(RunControl, ExistingResultIsReplacedWhole) {
  Workspace ws;
  ws.writeSource("a=1\r\n");
  ws.root().write("src/prog_x.bas", "an older and much longer result\r\n");
  EXPECT_EQ(ws.run("Corvane").exitCode, 0);
  EXPECT_EQ(ws.root().read("src/prog_x.bas"), "a=1\r\n");
  for (const auto& entry : fs::directory_iterator(ws.root() / "src")) {
    EXPECT_EQ(entry.path().extension(), ".bas") << "no temporary file is left behind";
  }
}

TEST(RunControl, MissingOrTinyTargetIsFatalAfterTheResultIsWritten) {
  struct Case {
    std::string mode;
    std::string target;
    std::string result;
  } cases[] = {{"Brisko", "Brisko.exe", "src/X/prog.bas"},
               {"Corvane", "Corvane.exe", "src/prog_x.bas"},
               {"PIOCHECK", "Corvane.exe", "src/prog_x.bas"}};
  for (const auto& c : cases) {
    Workspace ws;
    ws.writeSource("a=1\r\n");
    ws.root().write("host/" + c.target, "#!/bin/sh\n");  // under 100 bytes
    auto result = ws.run(c.mode);
    EXPECT_EQ(result.exitCode, 1) << c.mode;
    EXPECT_EQ(result.err, fatalWindow("Failed To find Brisko target: " + ws.hostFolder() + c.target +
                                      "\nCheck the path is set correctly in the Corvane Action menu\n"))
        << c.mode;
    EXPECT_EQ(ws.root().read(c.result), "a=1\r\n") << c.mode;
  }
}

TEST(RunControl, DebugLogIsShownAtTheEndAndSurvivesAFatalError) {
  Workspace ws;
  ws.writeSource("#DEBUG\r\na=1\r\n#debug again\r\n");
  auto result = ws.run("Corvane");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, "Prexle Debug Log\n"
                        "Prexle version 5.23 - 01 Sep 2026\n" +
                            ws.hostFolder() + "DATA\\Prexle.txt Opened\n");
  EXPECT_EQ(ws.data("Prexle.txt"), "");

  ws.writeSource("#DEBUG\r\n");
  fs::remove(ws.root() / "host/Corvane.exe");
  auto failed = ws.run("Corvane");
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.out, "") << "no log window after a fatal error";
  EXPECT_TRUE(ws.root().exists("host/DATA/Prexle.txt"));
}

}  // namespace
