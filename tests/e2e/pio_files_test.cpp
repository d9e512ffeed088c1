// .pio files: included in a block of a program, and translated whole through
// the entry the shell form calls.

#include <gtest/gtest.h>

#include <string>

#include "support/prexle_run.h"
#include "support/recording_logs.h"
#include "text/utf8.h"

namespace {

using testing_support::Workspace;

// Our own file; the words and configuration are pioasm 2.2's and the SDK's.
const char kLeds[] =
    "; two programs\n"
    ".program blink\n"
    ".side_set 1 opt\n"
    ".clock_div 2.5\n"
    ".set 2\n"
    "    set pins, 3 side 1 [3]\n"
    "    set pins, 0\n"
    "\n"
    ".program shift\n"
    ".out 8 left auto 8\n"
    "    out pins, 8\n"
    "    out x, 40\n";

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The block's own lines, before the include or after it, win over the
// program's configuration; its pins are added on top.
TEST(PioFilesInBlocks, TheBlockSetsPinsAndClockOnTopOfTheProgram) {
  Workspace ws;
  ws.writeSource(kLeds, "leds.pio");
  ws.writeSource(
      "#PIOSTART\r\n.pio 1\r\n.sm 2\r\n.set_base 4\r\n.sideset_base 10\r\n"
      ".include \"leds.pio\" blink ' the blinker\r\n.set_count 1\r\n#PIOEND\r\n"
      "#PIOSTART\r\n.frequency 2000\r\n.include leds.pio shift\r\n#PIOEND\r\n");
  testing_support::RunResult run = ws.run("Corvane");
  const std::string result = ws.root().read("src/prog_x.bas");
  for (const char* line :
       {"PIO PROGRAM LINE 1,&h00,&hFB03  'SET PINS &b11(GP5,GP4)  SIDE &b1(GP10)[3]",
        "PIO PROGRAM LINE 1,&h01,&hE000", "SETPIN GP4,PIO1 'SET\r\nSETPIN GP10,PIO1 'SIDESET\r\n",
        "PIO INIT MACHINE 1,2,Val(MM.INFO$(CPUSPEED))/2.5,&H44002880,&H40001000,&HC0000,&H0",
        // The next block on PIO 1 places the program after the first.
        "PIO PROGRAM LINE 1,&h02,&h6008", "PIO INIT MACHINE 1,2,2000,&H800000,&H3100,&H10060000,&H0"}) {
    EXPECT_TRUE(has(result, line)) << line << "\n" << result;
  }
  // The file's error names the file and its line, in the report and in the
  // errors the run keeps.
  const std::string report = ws.data("PasmErrors.txt");
  EXPECT_TRUE(has(report, "src/leds.pio:12:     out x, 40\r\n")) << report;
  EXPECT_TRUE(has(report, "bit count out of range 1-32 (40)")) << report;
  EXPECT_TRUE(has(run.out, "1 error(s) to be resolved")) << run.out;
}

TEST(PioFilesInBlocks, WhatCannotBeIncludedIsAnErrorAtTheLine) {
  Workspace ws;
  ws.writeSource(kLeds, "leds.pio");
  ws.writeSource("; nothing here\n", "none.pio");
  ws.writeSource(".side_set 1\n", "stray.pio");
  ws.writeSource(
      "#PIOSTART\r\n.include \"leds.pio\"\r\n.include \"missing.pio\" x\r\n.include leds.pio blinky\r\n"
      ".include none.pio\r\n.include \"leds.pio\r\n.include stray.pio\r\n#PIOEND\r\n");
  testing_support::RunResult run = ws.run("Corvane");
  const std::string report = ws.data("PasmErrors.txt");
  for (const char* message :
       {"the .pio file holds several programs: name the one to include (blink, shift)",
        "cannot read the .pio file (", "missing.pio)", "the .pio file holds no program blinky (blink, shift)",
        "the .pio file holds no program (", "expected .include \"FILE.pio\" [PROGRAM] (.include \"leds.pio)",
        "stray.pio:1: .side_set 1", ".side_set is invalid outside of a program (.side_set)"}) {
    EXPECT_TRUE(has(report, message)) << message << "\n" << report;
  }
  EXPECT_TRUE(has(run.out, "7 error(s) to be resolved")) << run.out;
}

TEST(PioFilesWhole, ASourceOfPioProgramsBecomesTheirCommands) {
  Workspace ws;
  ws.writeSource(kLeds, "leds.pio");
  const std::string setup = "export HOME='" + (ws.root() / "home").string() + "'";
  const auto run = [&](std::vector<std::string> arguments) {
    return testing_support::runPrexle(arguments, ws.root().path(), setup);
  };
  const testing_support::RunResult whole = run({"src/leds.pio"});
  const std::string& out = whole.out;
  EXPECT_TRUE(has(out, "'.include \"" + ws.sourcePath("leds.pio") + "\" blink\r\n"));
  EXPECT_TRUE(has(out, "PIO INIT MACHINE 0,0,Val(MM.INFO$(CPUSPEED))/2.5,&H48000000,&H40001000,&HC0000,&H0"));
  EXPECT_TRUE(has(out, "PIO PROGRAM LINE 0,&h02,&h6008"));
  EXPECT_TRUE(has(out, "PIO INIT MACHINE 0,1,Val(MM.INFO$(CPUSPEED)),&H800000,&H3100,&H10060000,&H2"));
  EXPECT_EQ(whole.err, ws.sourcePath("leds.pio") + ":12: error: bit count out of range 1-32 (40)\n");
  EXPECT_EQ(whole.exitCode, 1);
  EXPECT_TRUE(has(run({"--pio=1", "src/leds.pio", "-o", "leds.bas"}).err, "leds.pio:12: error:"));
  EXPECT_TRUE(has(ws.root().read("leds.bas"), "PIO PROGRAM LINE 1,&h00,"));
  EXPECT_EQ(run({"--pio", "2", "src/leds.pio"}).err,
            ws.sourcePath("leds.pio") + ": error: .pio 2 needs the RP2350, the chip with a third PIO block (--chip rp2350)\n");
  const std::string rp2350 = run({"--chip", "RP2350", "--pio", "2", "src/leds.pio"}).out;
  EXPECT_TRUE(has(rp2350, "PIO SET BASE 2,0\r\nPIO INIT MACHINE 2,0,")) << rp2350;
  const testing_support::RunResult missing = run({"src/none.pio"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(has(missing.err, "none.pio': there is no such file"));
  EXPECT_EQ(run({"-m", "brisko", "src/leds.pio"}).exitCode, 2);
  EXPECT_EQ(run({"--pio", "1", "src/prog.bas"}).exitCode, 2);
}

}  // namespace
