// The shell's command line, through the built tool: options and usage
// errors, results byte for byte those of the editor's command line, exit
// statuses, and diagnostics that name the file and line, included files too.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "support/prexle_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::RunResult;
using testing_support::runPrexle;
using testing_support::Workspace;

const fs::path kExamples = PREXLE_EXAMPLES_DIR;
const std::string kHint = "\nTry 'prexle --help' for more information.\n";

// From the workspace root, with a home of its own, so the default data
// folder is the workspace's.
RunResult shell(const Workspace& ws, const std::vector<std::string>& arguments) {
  return runPrexle(arguments, ws.root().path(),
                   "unset XDG_DATA_HOME; export HOME='" + (ws.root() / "home").string() + "'");
}

TEST(ShellForm, HelpVersionAndUsageErrors) {
  Workspace ws;
  ws.writeSource("x=1\r\n");
  const struct {
    std::vector<std::string> arguments;
    int exitCode;
    std::string outStart;
    std::string err;
  } cases[] = {
      {{"--version"}, 0, "prexle 5.23 - 01 Sep 2026\n", ""},
      {{"--help", "--bogus"}, 0, "Usage: prexle [OPTION]... SOURCE\n", ""},
      {{"-m", "PioCheck", "-o-", "src/prog.bas"}, 0, "x=1\r\n", ""},
      {{}, 2, "", "prexle: error: missing SOURCE" + kHint},
      {{"a.bas", "b.bas"}, 2, "", "prexle: error: more than one SOURCE: 'a.bas' 'b.bas'" + kHint},
      {{"-o", "x", "-"}, 2, "", "prexle: error: SOURCE must name a file: standard input is not read" + kHint},
      {{"--bogus", "--help"}, 2, "", "prexle: error: unrecognized option '--bogus'" + kHint},
      {{"src/prog.bas", "-o"}, 2, "", "prexle: error: option requires an argument -- 'o'" + kHint},
      {{"-m", "fast", "src/prog.bas"}, 2, "",
       "prexle: error: invalid mode 'fast'; use corvane, brisko or piocheck" + kHint},
      {{"--chip", "rp2450", "src/prog.bas"}, 2, "", "prexle: error: invalid chip 'rp2450'; use rp2040 or rp2350" + kHint},
      {{"--line-map=m", "src/prog.bas"}, 2, "",
       "prexle: error: --line-map needs --mode brisko: only a brisko run has a line map" + kHint},
      {{"-o", "-", "--log=-", "src/prog.bas"}, 2, "",
       "prexle: error: only one of --output, --pio-report and --log can write to standard output" + kHint},
  };
  for (const auto& c : cases) {
    const RunResult run = shell(ws, c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.err;
    EXPECT_EQ(run.out.substr(0, c.outStart.size()), c.outStart) << c.err;
    EXPECT_EQ(run.err, c.err);
  }
}

TEST(ShellForm, ResultsAndReportsAreTheEditorsByteForByte) {
  for (const std::string mode : {"Corvane", "Brisko", "PIOCHECK"}) {
    for (const std::string source : {"blink.bas", "ws2812.bas"}) {
      Workspace ws;
      fs::copy(kExamples / source, ws.root() / "src" / source);
      fs::copy(kExamples / "lib", ws.root() / "src/lib", fs::copy_options::recursive);
      const std::string stem = source.substr(0, source.size() - 4);
      const std::string result = mode == "Brisko" ? "src/X/" + source : "src/" + stem + "_x.bas";
      ASSERT_EQ(ws.run(mode, source).exitCode, 0);
      const std::string editorResult = ws.root().read(result);
      fs::remove(ws.root() / result);

      std::vector<std::string> options{"--mode", mode, "src/" + source, "--pio-report", "report.txt"};
      if (mode == "Brisko") options.insert(options.end(), {"--line-map", "map.bin"});
      const RunResult toFile = shell(ws, options);
      EXPECT_EQ(toFile.exitCode, 0) << toFile.err;
      EXPECT_EQ(ws.root().read(result), editorResult) << source << " " << mode;
      EXPECT_EQ(ws.root().read("report.txt"), ws.data("PasmErrors.txt"));
      EXPECT_EQ(ws.root().read("map.bin"), mode == "Brisko" ? ws.data("lineno.txt") : "<missing>");
      const RunResult toOutput = shell(ws, {"-o", "-", "-m" + mode, "src/" + source});
      EXPECT_EQ(toOutput.out, editorResult) << source << " " << mode;
      EXPECT_EQ(toOutput.exitCode + toFile.out.size() + toOutput.err.size(), 0u);
      EXPECT_TRUE(fs::is_empty(ws.root() / "home/.local/share/prexle")) << "no working file is left";
    }
  }
}

TEST(ShellForm, ExitStatusesAndBadInput) {
  Workspace ws;
  const std::string root = ws.root().path().string();
  ws.writeSource("#PIOSTART\r\nset foo, 1\r\njmp nowhere\r\n#PIOEND\r\n", "pio.bas");
  const RunResult pio = shell(ws, {"src/pio.bas", "--data", "data"});
  EXPECT_EQ(pio.exitCode, 1) << "PIO errors";
  EXPECT_NE(ws.root().read("src/pio_x.bas"), "<missing>") << "the result is written all the same";
  EXPECT_TRUE(fs::is_directory(ws.root() / "data"));

  ws.writeSource("a=1\r\n#INCLUDE gone.inc\r\n");
  ws.root().write("src/prog_x.bas", "previous");
  ws.root().write("xdg/prexle", "a file where the data folder goes");
  ws.writeSource("", "tools.pio");
  const struct {
    std::vector<std::string> arguments;
    std::string err;
  } cases[] = {
      {{"src/prog.bas"}, root + "/src/prog.bas:2: error: A file referenced by an #INCLUDE directive cannot be found\n"},
      {{"src/none.bas"}, "prexle: error: cannot read '" + root + "/src/none.bas': there is no such file\n"},
      {{"src"}, "prexle: error: cannot read '" + root + "/src': it is a folder\n"},
      {{"-o", "src/prog.bas", "src/prog.bas"}, "prexle: error: Prexle will not overwrite its source file: src/prog.bas\n"},
      {{"-o", "no/x.bas", "src/prog.bas"},
       "prexle: error: cannot write the result to 'no/x.bas': there is no folder 'no/'\n"},
      {{"--data", "src/prog.bas/d", "src/prog.bas"}, "prexle: error: cannot make the data folder 'src/prog.bas/d/'\n"},
      {{"src/tools.pio"}, root + "/src/tools.pio: error: the .pio file holds no program\n"},
  };
  for (const auto& c : cases) {
    const RunResult run = shell(ws, c.arguments);
    EXPECT_EQ(run.exitCode, 1) << c.err;
    EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
  }
  EXPECT_EQ(ws.root().read("src/prog_x.bas"), "previous") << "a failed run leaves the previous result";
  const RunResult xdg = runPrexle({"src/pio.bas"}, ws.root().path(), "export XDG_DATA_HOME='" + root + "/xdg'");
  EXPECT_EQ(xdg.err, "prexle: error: cannot make the data folder '" + root + "/xdg/prexle/'\n");
}

TEST(ShellForm, DiagnosticsNameTheFileAndLineTheyBelongTo) {
  Workspace ws;
  const std::string src = ws.root().path().string() + "/src/";
  ws.writeSource("#SPTEST\r\n#IFDEF A\r\n#PIOSTART\r\nset foo, 1\r\nnop [99]\r\n#PIOEND\r\n");
  ws.root().write("src/header.inc", "' header\r\n#DEBUG\r\n");
  const RunResult header = shell(ws, {"src/prog.bas", "--log", "src/prog.bas"});
  EXPECT_EQ(header.err, src + "header.inc:2: error: Prexle will not overwrite its source file: src/prog.bas\n");
  ws.root().write("src/header.inc", "#DEFINE A\r\n");
  const RunResult pio = shell(ws, {"src/prog.bas", "-o", "-"});
  EXPECT_EQ(pio.exitCode, 1);
  EXPECT_EQ(pio.err, src + "prog.bas:4: error: Invalid destination foo\n" + src +
                         "prog.bas:5: error: Delay value > allowed maximum of 31 (99)\n" + src +
                         "prog.bas:2: note: 1 #IFDEF/#IFNDEF level(s) still open at the end of " + src + "prog.bas\n");
  ws.writeSource("x=1\r\n#ARRAYGENERATE\r\n#ARRAYSTART a b t\r\n#ARRAYEND\r\n");
  EXPECT_EQ(shell(ws, {"src/prog.bas"}).err,
            src + "prog.bas:4: error: #ARRAYGENERATE runs the array generator Vemtor.exe, which lives in the "
                  "folder of the companion programs: name that folder with --host DIR\n");
}

// Every option the help lists, the manual page lists the same way, and the
// other way round; both give the same version.
TEST(ShellForm, ManualPageAgreesWithTheHelp) {
  Workspace ws;
  const std::string help = shell(ws, {"--help"}).out;
  const std::string manual = readFile(fs::path(PREXLE_MANUAL_PAGE));
  const std::regex helpOption(R"(\n  (?:(-\w, )|    )(--[\w-]+(=[A-Z]+)?))");
  std::set<std::string> inHelp;
  for (std::sregex_iterator at(help.begin(), help.end(), helpOption), end; at != end; ++at) {
    inHelp.insert((*at)[1].str() + (*at)[2].str());
  }
  std::string plain = std::regex_replace(manual, std::regex(R"(\\f[BIR])"), "");
  plain = std::regex_replace(plain, std::regex(R"(\\-)"), "-");
  const std::regex manualOption(R"(\.TP\n(-[^ \n]*(, --[^ \n]*)?)\n)");
  std::set<std::string> inManual;
  for (std::sregex_iterator at(plain.begin(), plain.end(), manualOption), end; at != end; ++at) {
    if ((*at)[1].str().starts_with("-")) inManual.insert((*at)[1].str());
  }
  EXPECT_EQ(inHelp.size(), 11u);
  EXPECT_EQ(inHelp, inManual);
  EXPECT_NE(manual.find(".TH PREXLE 1 \"01 Sep 2026\" \"prexle 5.23\""), std::string::npos);
  EXPECT_EQ(shell(ws, {"--version"}).out, "prexle 5.23 - 01 Sep 2026\n");
}

}  // namespace
