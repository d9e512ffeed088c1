// Runs in which the source is read more than once (a PIO block asks for a
// second reading, the first #ESP_CLIPBOARD restarts the reading), and the
// end-of-run clipboard.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/prexle_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::FakeClipboard;
using testing_support::lineMapEntries;
using testing_support::Workspace;

constexpr const char* kBlinkBlock =
    "#PIOSTART\r\n"
    ".program blink\r\n"
    "set pins, 1\r\n"
    "#PIOEND\r\n";

TEST(Readings, SecondReadingReplacesTheFirstAndItsLineMap) {
  Workspace ws;
  ws.writeSource(std::string("#REPLACE X X+1\r\na = X \r\n") + kBlinkBlock + "b=2\r\n");
  ASSERT_EQ(ws.run("Brisko").exitCode, 0);
  const std::string result = ws.root().read("src/X/prog.bas");
  EXPECT_NE(result.find("\r\na = X+1+1 \r\n"), std::string::npos) << result;
  EXPECT_EQ(result.find("X+1+1+1"), std::string::npos)
      << "each pair is applied once, whatever the number of readings:\n" << result;
  EXPECT_EQ(result.substr(result.size() - 5), "b=2\r\n");
  const auto map = lineMapEntries(ws.data("lineno.txt"));
  size_t lines = 0;
  for (char c : result) lines += c == '\n';
  EXPECT_EQ(map.size(), lines) << "one map entry per result line";
  EXPECT_EQ(map.front(), 1);
  EXPECT_EQ(map.back(), 7) << "numbers count from the first line again";
}

TEST(Readings, EndCodeStopsBothReadings) {
  Workspace ws;
  ws.writeSource(std::string("a=1\r\n") + kBlinkBlock + "#ENDCODE\r\nnever=1\r\n" + kBlinkBlock);
  ASSERT_EQ(ws.run("Brisko").exitCode, 0);
  const std::string result = ws.root().read("src/X/prog.bas");
  EXPECT_EQ(result.find("a=1\r\n"), 0u);
  EXPECT_NE(result.find("PIO PROGRAM LINE 0,&h00,&hE001"), std::string::npos)
      << "a reading that stopped at #ENDCODE still gets its PIO blocks assembled";
  EXPECT_EQ(result.find("never"), std::string::npos);
  EXPECT_EQ(result.find("PIO PROGRAM LINE 0,&h01"), std::string::npos) << "the later block is never read";
  EXPECT_EQ(lineMapEntries(ws.data("lineno.txt")).back(), 5);
}

TEST(Readings, FirstEspClipboardRestartsTheReading) {
  Workspace ws;
  FakeClipboard clipboard(ws);
  ws.writeSource("   a=1\r\n#REPLACE a z\r\n#ESP_CLIPBOARD\r\n   b=a ' c\r\n#ESP_CLIPBOARD\r\n");
  ASSERT_EQ(ws.run("Brisko").exitCode, 0);
  const std::string expected =
      "'#ESP_CLIPBOARD\r\n"  // the line that restarted the reading opens the output
      "z=1\r\n"
      "'#ESP_CLIPBOARD\r\n"
      "b=z ' c\r\n"
      "'#ESP_CLIPBOARD\r\n";
  EXPECT_EQ(ws.root().read("src/X/prog.bas"), expected);
  EXPECT_EQ(lineMapEntries(ws.data("lineno.txt")), (std::vector<int32_t>{0, 1, 3, 4, 5}));
  EXPECT_EQ(clipboard.text(), expected) << "with the ESP option the clipboard gets the program alone";
}

TEST(Readings, ClipboardModeWithoutEspWrapsTheProgram) {
  Workspace ws;
  FakeClipboard clipboard(ws);
  ws.writeSource("#PI_CLIPBOARD\r\n#PI_AUTORUN\r\nprint 1\r\n");
  ASSERT_EQ(ws.run("Corvane").exitCode, 0);
  EXPECT_EQ(clipboard.text(), "AUTOSAVE\r\nprint 1\r\n\x03RUN\r\n");
  EXPECT_EQ(ws.root().read("src/prog.bas"), "#PI_CLIPBOARD\r\n#PI_AUTORUN\r\nprint 1\r\n")
      << "the source is never written";
}

TEST(Readings, MissingClipboardIsANoticeNotAFailure) {
  Workspace ws;
  const char* path = std::getenv("PATH");
  const std::string saved = path ? path : "";
  setenv("PATH", "/nonexistent", 1);
  ws.writeSource("#PI_CLIPBOARD\r\n");
  auto result = ws.run("Corvane");
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "The clipboard could not be filled; the result is in " +
                            ws.sourcePath("prog_x.bas") + "\n");
}

TEST(Readings, MissingIncludeIsFatal) {
  Workspace ws;
  ws.writeSource("#INCLUDE \"none.inc\"\r\n");
  auto result = ws.run("Corvane");
  EXPECT_EQ(result.exitCode, 1);
  const std::string folder = (ws.root() / "src").string() + "/";
  EXPECT_NE(result.err.find("A file referenced by an #INCLUDE directive cannot be found\n"
                            "File Not FOUND-> none.inc\n"
                            "passed path: " + folder + "\n"
                            "#INCLUDE parameter-> none.inc\n"),
            std::string::npos)
      << result.err;
  EXPECT_FALSE(ws.root().exists("src/prog_x.bas"));
}

TEST(Readings, IncludesThatAreNotRead) {
  Workspace ws;
  ws.writeSource("#LIBRARYSTART\r\n#INCLUDE missing.inc\r\n#LIBRARYEND\r\nx=1\r\n");
  auto result = ws.run("Corvane");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ws.root().read("src/prog_x.bas"), "x=1\r\n") << "inside a library section without its load";
  ws.writeSource("#PASSINCLUDES\r\n#INCLUDE none.inc\r\n");
  ASSERT_EQ(ws.run("Corvane").exitCode, 0);
  EXPECT_EQ(ws.root().read("src/prog_x.bas"), "\r\n#INCLUDE none.incXXX\r\n\r\n") << "with #PASSINCLUDES, marked";
}

// Whatever the first reading left open, the second starts clean: the PIO
// block is assembled and the program before the open blocks kept.
TEST(Readings, UnclosedBlocksAreNotedButKeepTheirMeaning) {
  Workspace ws;
  ws.writeSource(std::string("a=1\r\n") + kBlinkBlock +
                 "#IFDEF NOPE\r\nb=2\r\n#LIBRARYSTART\r\nc=3\r\n/*\r\nd=4\r\n#ARRAYSTART int x y\r\n");
  auto result = ws.run("Corvane");
  EXPECT_EQ(result.exitCode, 0);
  const std::string out = ws.root().read("src/prog_x.bas");
  EXPECT_EQ(out.find("a=1\r\n"), 0u) << out;
  EXPECT_NE(out.find("PIO PROGRAM LINE 0,&h00,&hE001"), std::string::npos) << out;
  EXPECT_EQ(out.find("b=2"), std::string::npos) << out;
  const std::string source = ws.sourcePath();
  EXPECT_EQ(result.err, "Note: 1 #IFDEF/#IFNDEF level(s) still open at the end of " + source +
                            "\nNote: a library section is still open at the end of " + source +
                            "\nNote: a /* block comment is still open at the end of " + source +
                            "\nNote: an #ARRAYSTART block is still open at the end of " + source + "\n");
}

TEST(Readings, EspClipboardInsideAnOffStretchStillRestartsClean) {
  Workspace ws;
  FakeClipboard clipboard(ws);
  ws.writeSource("#IFDEF NEVER\r\n#ESP_CLIPBOARD\r\n#ENDIF\r\nx=1\r\n");
  ASSERT_EQ(ws.run("Corvane").exitCode, 0);
  EXPECT_EQ(ws.root().read("src/prog_x.bas"), "'#ESP_CLIPBOARD\r\n\r\n\r\nx=1\r\n")
      << "the restarted reading keeps x=1, after the off stretch closes";
}

}  // namespace
