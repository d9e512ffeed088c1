// Real programs as users write them: demo names with hyphens, relative
// paths, the interpreter's own directives, directive words inside strings.

#include <gtest/gtest.h>

#include "support/prexle_run.h"

namespace {

using testing_support::lineMapEntries;
using testing_support::runPrexle;
using testing_support::Workspace;

TEST(RealPrograms, AHyphenatedDemoFindsItsIncludesFromARelativePath) {
  Workspace ws;
  ws.root().write("src/demos/lib/shapes.inc", "Sub Hexagon\r\nEnd Sub\r\n");
  ws.root().write("src/demos/colours.inc", "Const RED=&hFF0000\r\n");
  ws.root().write("src/demos/hex-gasket.bas",
                  "#INCLUDE \"lib\\shapes.inc\"\r\n#INCLUDE .\\colours.inc\r\nHexagon\r\n");
  // Started from the workspace root, as the editor starts it from its own folder.
  auto result = runPrexle({"src/demos/hex-gasket.bas", ws.hostFolder(), "Corvane"}, ws.root().path());
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ws.root().read("src/demos/hex-gasket_x.bas"),
            "'-------------*** Included \"lib\\shapes.inc\" ***-----------\r\n\r\n"
            "Sub Hexagon\r\nEnd Sub\r\n\r\n"
            "'-------------*** Included .\\colours.inc ***-----------\r\n\r\n"
            "Const RED=&hFF0000\r\n\r\n"
            "Hexagon\r\n");
  EXPECT_EQ(ws.handedPath("Corvane"), (ws.root() / "src/demos/hex-gasket_x.bas").string())
      << "the target is handed the absolute path";
}

TEST(RealPrograms, TheInterpretersOwnDirectivesReachItUnchanged) {
  const std::string program =
      "#DEFINE \"SIZE\",\"200\"\r\n"
      "#DEFINE DEBUGGING\r\n"
      "#comment start\r\n"
      "  This text is for the reader\r\n"
      "#COMMENT END\r\n"
      "  #MMDEBUG ON\r\n"
      "#IFDEF DEBUGGING\r\n"
      "Print SIZE\r\n"
      "#ENDIF\r\n";
  Workspace ws;
  ws.writeSource(program);
  ASSERT_EQ(ws.run("Brisko").exitCode, 0);
  EXPECT_EQ(ws.root().read("src/X/prog.bas"),
            "#DEFINE \"SIZE\",\"200\"\r\n"
            "#comment start\r\n"
            "  This text is for the reader\r\n"
            "#COMMENT END\r\n"
            "  #MMDEBUG ON\r\n"
            "Print SIZE\r\n");
  EXPECT_EQ(lineMapEntries(ws.data("lineno.txt")), (std::vector<int32_t>{1, 3, 4, 5, 6, 8}));
  ASSERT_EQ(ws.run("Corvane").exitCode, 0);
  EXPECT_EQ(ws.root().read("src/prog_x.bas"),
            "#DEFINE \"SIZE\",\"200\"\r\n"
            "\r\n"  // where our own #DEFINE stood
            "#comment start\r\n"
            "  This text is for the reader\r\n"
            "#COMMENT END\r\n"
            "  #MMDEBUG ON\r\n"
            "\r\n"
            "Print SIZE\r\n"
            "\r\n");
}

TEST(RealPrograms, DirectiveWordsAndCutPointsInsideStringsAreText) {
  Workspace ws;
  ws.writeSource(
      "#REPLACE LED GP25\r\n"
      "Print \"#REPLACE a b\" : Print \"LED\"\r\n"
      "Print \"a\" ' #REPLACE c d\r\n"
      "PIO START 0,0 ; started\r\n"
      "PIO START 0,1 : Print \"ready; go\"\r\n"
      "Setpin LED, DOUT\r\n");
  ASSERT_EQ(ws.run("Brisko").exitCode, 0);
  EXPECT_EQ(ws.root().read("src/X/prog.bas"),
            "'#REPLACE GP25 GP25\r\n"
            "Print \"#REPLACE a b\" : Print \"GP25\"\r\n"
            "PIO START 0,0 \r\n"
            "PIO START 0,1 : Print \"ready; go\"\r\n"
            "Setpin GP25, DOUT\r\n")
      << "only LED is replaced (strings and the kept line included): the quoted #REPLACE is a "
         "string, the commented one drops its line";
}

}  // namespace
