// PIO programs written as the reference assembler's users write them, run
// through the whole tool.

#include <gtest/gtest.h>

#include <string>

#include "support/prexle_run.h"

namespace {

using testing_support::Workspace;

TEST(PioPrograms, PioasmStyleTransmitterAssemblesWithoutErrors) {
  Workspace ws;
  ws.writeSource(
      "#PIOSTART\r\n"
      ".program uart_tx\r\n"
      ".define public T 8        ; cycles a bit\r\n"
      ".side_set 1 optional\r\n"
      "    pull       side 1 [T - 1] ; stop bit\r\n"
      "    set x, 7   side 0 [T - 1] ; start bit\r\n"
      "bitloop:                      // eight data bits\r\n"
      "    out pins, 1\r\n"
      "  wait_hi:  jmp x-- bitloop [T - 2]\r\n"
      "#PIOEND\r\n");
  testing_support::RunResult run = ws.run("PIOCHECK");
  ASSERT_EQ(run.exitCode, 0);
  const std::string result = ws.root().read("src/prog_x.bas");
  // Worked out by hand: pull 100 11111 10100000, set x 7 111 10111 00100111, and so on.
  for (const char* word :
       {"&h00,&h9FA0  'PULL", "&h01,&hF727", "&h02,&h6001", "&h03,&h0642  'JMP X-- bitloop"}) {
    EXPECT_NE(result.find(std::string("PIO PROGRAM LINE 0,") + word), std::string::npos) << result;
  }
  // A label sharing its line is listed as written up to its colon.
  EXPECT_NE(result.find("\r\n'  wait_hi:\r\nPIO PROGRAM LINE 0,&h03"), std::string::npos) << result;
  // The enable bit, and a wrap from the last instruction back to the first.
  EXPECT_NE(result.find("PIO INIT MACHINE 0,0,0,&H54000000,&H40003000,&HC0000,&H0"), std::string::npos)
      << result;
  EXPECT_NE(run.out.find("!!!!!!!  No errors !!!!!!"), std::string::npos) << run.out;

  // The #REPLACE keyword in a PIO line's comment is the assembler's text.
  ws.writeSource("#PIOSTART\r\nset pins, 1 ' no #REPLACE here\r\nnop ; nor #REPLACE a b\r\n#PIOEND\r\n");
  run = ws.run("Corvane");
  EXPECT_NE(ws.root().read("src/prog_x.bas").find("PIO PROGRAM LINE 0,&h01,&hA042"), std::string::npos);
}

// C-style comments are the assembler's inside a block: one-line, several
// lines closed anywhere, or left open (an error, never a silent cut).
TEST(PioPrograms, CStyleCommentsStayInsideTheBlock) {
  Workspace ws;
  ws.writeSource(
      "#PIOSTART\r\n"
      ".program blink /* on GP0 */\r\n"
      "/* one-line note */\r\n"
      "    set pins, 1 [1] /* on\r\n"
      "       still the comment */\r\n"
      "    set pins, 0 ' see /* this is no comment opener\r\n"
      "#PIOEND\r\n"
      "x=1\r\n");
  testing_support::RunResult run = ws.run("PIOCHECK");
  ASSERT_EQ(run.exitCode, 0);
  const std::string result = ws.root().read("src/prog_x.bas");
  EXPECT_NE(result.find("PIO PROGRAM LINE 0,&h00,&hE101"), std::string::npos) << result;
  EXPECT_NE(result.find("PIO PROGRAM LINE 0,&h01,&hE000"), std::string::npos) << result;
  EXPECT_NE(result.find("\r\nx=1\r\n"), std::string::npos) << "the program after the block stays";
  EXPECT_NE(run.out.find("!!!!!!!  No errors !!!!!!"), std::string::npos) << run.out;

  ws.writeSource("#PIOSTART\r\nset pins, 1\r\n/* left open\r\nset pins, 0\r\n#PIOEND\r\nx=1\r\n");
  run = ws.run("PIOCHECK");
  EXPECT_NE(run.out.find("1 error(s) to be resolved"), std::string::npos) << run.out;
  EXPECT_NE(ws.data("PasmErrors.txt").find("/* comment not closed before #PIOEND (/*)"), std::string::npos);
  EXPECT_NE(ws.root().read("src/prog_x.bas").find("\r\nx=1\r\n"), std::string::npos);
}

}  // namespace
