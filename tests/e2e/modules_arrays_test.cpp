// Whole runs with code modules copied from a code base and with array blocks
// handed to a generator, which a small script on PATH stands in for.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/prexle_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::fatalWindow;
using testing_support::lineMapEntries;
using testing_support::TempFolder;
using testing_support::Workspace;

constexpr const char* kLeds =
    "' LED helpers\r\n"
    "'#MODULE Blink\r\n"
    "Sub Blink ' flash once\r\n"
    "  Pin(1)=1\r\n"
    "End Sub\r\n"
    "'#MODULEEND\r\n";

TEST(ModulesEndToEnd, ModuleInBothModesAndCodeBaseKeptForLaterRuns) {
  Workspace ws;
  ws.root().write("src/mods/leds.bas", kLeds);
  ws.root().write("host/DATA/MMmodule.inf", "[Paths]\r\nCode Store = old\\\r\nOther = 1\r\n");
  // The code base is relative to the folder the tool starts in.
  ws.writeSource("a=1\r\n#CODEBASE src\\mods\\\r\n#CODEMODULE leds.bas blink\r\nb=2\r\n#ENDCODE\r\nc=3\r\n");

  auto corvane = ws.run("Corvane");
  EXPECT_EQ(corvane.exitCode, 0);
  EXPECT_EQ(corvane.out + corvane.err, "");
  EXPECT_EQ(ws.root().read("src/prog_x.bas"),
            "a=1\r\n"
            "' Start '#MODULEBLINK\r\n"
            "Sub Blink ' flash once\r\n"
            "  Pin(1)=1\r\n"
            "End Sub\r\n"
            "' Insert end\r\n"
            "\r\n"
            "b=2\r\n");
  EXPECT_EQ(ws.data("MMmodule.inf"), "[Paths]\r\nCode Store = src\\mods\\\r\nOther = 1\r\n");

  // The next run finds the module through the stored code base.
  ws.writeSource("a=1\r\n#CODEMODULE leds.bas BLINK\r\n#CODEMODULE leds.bas BLINK\r\nb=2\r\n");
  auto brisko = ws.run("Brisko");
  EXPECT_EQ(brisko.exitCode, 0);
  EXPECT_EQ(brisko.out + brisko.err, "");
  const std::string module = "Sub Blink ' flash once\r\n  Pin(1)=1\r\nEnd Sub\r\n";
  EXPECT_EQ(ws.root().read("src/X/prog.bas"), "a=1\r\n" + module + module + "b=2\r\n");
  EXPECT_EQ(lineMapEntries(ws.data("lineno.txt")), (std::vector<int32_t>{1, 2, 2, 2, 3, 3, 3, 4}));
  EXPECT_EQ(ws.handedPath("Brisko"), ws.sourcePath("X/prog.bas"));
}

TEST(ModulesEndToEnd, InsertedTextIsNotReadForDirectives) {
  Workspace ws;
  ws.root().write("src/mods/m.bas",
                  "'#MODULE M\r\n#REPLACE a b\r\n#DEFINE X\r\nx=a\r\n'#MODULEEND\r\n");
  ws.writeSource("#CODEBASE src/mods/\r\n/*\r\n#CODEMODULE m.bas M\r\n*/\r\n#IFNDEF X\r\ny=a\r\n#ENDIF\r\n");
  EXPECT_EQ(ws.run("Corvane").exitCode, 0);
  // Inside the block comment every inserted line is commented, the empty
  // line that follows the text included; neither the #REPLACE nor the
  // #DEFINE of the module takes effect.
  EXPECT_EQ(ws.root().read("src/prog_x.bas"),
            "'/*\r\n"
            "'' Start '#MODULEM\r\n"
            "''#MODULE M\r\n''#MODULE M\r\n'x=a\r\n"  // commented directives are dropped
            "''#MODULEEND\r\n''#MODULEEND\r\n"
            "'' Insert end\r\n"
            "'\r\n"
            "'*/\r\n"
            "\r\n"
            "y=a\r\n"
            "\r\n");
}

TEST(ModulesEndToEnd, CodeBaseProblemsStopTheRun) {
  struct Case {
    std::string source;
    std::string message;  // @ROOT@ stands for the workspace root
  } cases[] = {
      {"#CODEBASE src/mods/\r\n#CODEMODULE absent.bas M\r\n",
       "Error Unable To open CodeBase file \nsrc/mods/absent.bas\n"},
      {"#CODEBASE src/mods\r\n#CODEMODULE m.bas M\r\n",
       "Error Unable To open CodeBase file \nsrc/modsm.bas\n"},
      {"#CODEBASE src/mods/\r\n#CODEMODULE m.bas Absent\r\n",
       "Error Unable to find  '#MODULE Absent\nin src/mods/m.bas\n"},
      {"#CODEBASE src/mods/\r\n#CODEMODULE m.bas Open\r\n",
       "Error Unable to find '#MODULEEND for module Open\nin src/mods/m.bas\n"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    ws.root().write("src/mods/m.bas", "'#MODULE M\r\nx=1\r\n'#MODULEEND\r\n'#MODULE Open\r\ny=1\r\n");
    ws.writeSource(c.source);
    auto result = ws.run("Brisko");
    EXPECT_EQ(result.exitCode, 1) << c.source;
    EXPECT_EQ(result.err, fatalWindow(c.message));
    EXPECT_FALSE(ws.root().exists("src/X/prog.bas"));
    EXPECT_EQ(ws.handedPath("Brisko"), "<missing>");
  }
}

// A generator stand-in on PATH for the life of the object. It records its
// arguments, and writes a program that quotes the description's first line
// and ends a CFunction on a code line.
class GeneratorOnPath {
 public:
  GeneratorOnPath() : oldPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    folder_.write("Vemtor.exe",
                  "#!/bin/sh\n"
                  "printf '%s\\n' \"$*\" >> \"$(dirname \"$0\")/args.txt\"\n"
                  "first=$(head -n 1 \"$2\" | tr -d '\\r')\n"
                  "printf \"' made from %s\\r\\nCFunction wave\\r\\n00000001 end cfunction\\r\\n\" "
                  "\"$first\" > \"$4\"\n");
    fs::permissions(folder_ / "Vemtor.exe", fs::perms::owner_all);
    ::setenv("PATH", (folder_.path().string() + ":" + oldPath_).c_str(), 1);
  }
  ~GeneratorOnPath() { ::setenv("PATH", oldPath_.c_str(), 1); }
  std::string calls() const { return folder_.read("args.txt"); }

 private:
  TempFolder folder_;
  std::string oldPath_;
};

constexpr const char* kArraySource =
    "#ARRAYGENERATE\r\n"
    "#ARRAYSTART BYTE SINE Wave\r\n"
    "':1,2,3\r\n"
    "#ARRAYEND\r\n"
    "#ARRAYINCLUDE Wave\r\n"
    "x=1\r\n";

TEST(ArraysEndToEnd, GeneratedProgramIsSplicedIn) {
  GeneratorOnPath generator;
  Workspace ws;
  ws.writeSource(kArraySource);
  auto corvane = ws.run("Corvane");
  EXPECT_EQ(corvane.exitCode, 0);
  EXPECT_EQ(corvane.out + corvane.err, "");
  EXPECT_EQ(generator.calls(), "-cfgin z_Wave.cfg -progout z_Wave.bas\n");
  // Bare names: the files are in the folder the tool started in.
  EXPECT_EQ(ws.root().read("z_Wave.cfg"), "*byte sine Wave\r\n:1,2,3\r\n");
  EXPECT_EQ(ws.root().read("src/prog_x.bas"),
            "':1,2,3\r\n"
            "\r\n"
            "' made from *byte sine Wave\r\n"
            "CFunction wave\r\n"
            "00000001 \r\n"
            "End CFunction\r\n"
            "\r\n"
            "\r\n"
            "x=1\r\n");

  auto brisko = ws.run("Brisko");
  EXPECT_EQ(brisko.exitCode, 0);
  EXPECT_EQ(ws.root().read("src/X/prog.bas"), "CFunction wave\r\n00000001 \r\nEnd CFunction\r\nx=1\r\n");
  EXPECT_EQ(lineMapEntries(ws.data("lineno.txt")), (std::vector<int32_t>{5, 5, 5, 6}));
}

TEST(ArraysEndToEnd, MissingGeneratedFileStopsTheRun) {
  Workspace ws;
  // Without #ARRAYGENERATE nothing is generated, so the include finds nothing.
  ws.writeSource("#ARRAYSTART BYTE SINE Wave\r\n':1\r\n#ARRAYEND\r\n#ARRAYINCLUDE Wave\r\n");
  auto result = ws.run("Corvane");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, fatalWindow("A file referenced by an  #ARRAYINCLUDE directive cannot be found\n"
                                    "File Not FOUND :z_Wave.bas\n"));
  EXPECT_FALSE(ws.root().exists("z_Wave.cfg"));
  EXPECT_FALSE(ws.root().exists("src/prog_x.bas"));
  EXPECT_EQ(ws.handedPath("Corvane"), "<missing>");
}

}  // namespace
