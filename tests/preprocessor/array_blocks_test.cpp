#include "preprocessor/array_blocks.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/fatal_error.h"
#include "preprocessor/source_guard.h"
#include "support/recording_logs.h"
#include "support/temp_folder.h"
#include "testing/recording_host.h"
#include "text/utf8.h"

namespace {

// A source that does not exist: no file written here can be it.
const pre::SourceGuard kNoSource{u"/no/such/source.bas"};
const pre::GeneratorProgram kGenerator{u"Vemtor.exe", {}};

using testing_support::RecordingHost;
using testing_support::RecordingLogs;
using testing_support::TempFolder;
using text::u16;

// Array files are bare names, so each test works in a folder of its own.
struct WorkingFolder {
  TempFolder folder;
  std::filesystem::path previous = std::filesystem::current_path();
  WorkingFolder() { std::filesystem::current_path(folder.path()); }
  ~WorkingFolder() { std::filesystem::current_path(previous); }
};

struct Step {
  std::u16string line;
  std::u16string lineAfter;
};

// Each call starts outside any block, as every test's steps do.
void runSteps(pre::ArrayBlocks& arrays, RecordingHost& host, const std::vector<Step>& steps) {
  bool inBlock = false;
  for (const auto& step : steps) {
    std::u16string buffer = step.line;
    EXPECT_FALSE(arrays.handleLine(buffer, inBlock, host)) << text::encodeUtf8(step.line);
    EXPECT_EQ(buffer, step.lineAfter) << text::encodeUtf8(step.line);
  }
}

TEST(ArrayBlocks, DescriptionIsWrittenAndTheGeneratorRun) {
  WorkingFolder work;
  RecordingHost host;
  std::string cfgSeenByGenerator;
  host.onRun = [&](const std::u16string&) {
    cfgSeenByGenerator = work.folder.read("z_Wave1.cfg");
    return true;
  };
  RecordingLogs logs;
  pre::ArrayBlocks arrays{kNoSource, logs, kGenerator};
  runSteps(arrays, host,
           {
               {u"  #arraygenerate", u"'  #arraygenerate"},
               {u"  #ARRAYSTART  BYTE   Sine Wave1 x", u"'#ARRAYSTART  BYTE   Sine Wave1 x"},
               {u"  ':1,2,3", u"'  :1,2,3"},
               {u"data 4 ':5", u"'data 4 ':5"},
               {u"#DEFINE X", u"'#DEFINE X"},  // a directive inside the block is description
               {u"\t':6", u"'\t':6"},           // a tab is no blank
               {u"#ArrayEnd", u"'#ArrayEnd"},
               {u"':7", u"':7"},  // after the block: nothing to do here
           });
  EXPECT_EQ(host.events, (std::vector<std::string>{"run Vemtor.exe -cfgin z_Wave1.cfg -progout z_Wave1.bas"}));
  EXPECT_EQ(cfgSeenByGenerator,
            "*byte sine Wave1\r\n  :1,2,3\r\ndata 4 ':5\r\n#DEFINE X\r\n\t':6\r\n");

  // A second block starts a new description; the flag stays on.
  runSteps(arrays, host, {{u"#ARRAYSTART Word COS \xC4rger", u"'#ARRAYSTART Word COS \xC4rger"},
                          {u"#ARRAYEND", u"'#ARRAYEND"}});
  EXPECT_EQ(work.folder.read("z_\xC3\x84rger.cfg"), "*word cos \xC3\x84rger\r\n");
  EXPECT_EQ(host.events.size(), 2u);
}

TEST(ArrayBlocks, WithoutGenerateBlocksAreOnlyCommented) {
  WorkingFolder work;
  RecordingHost host;
  RecordingLogs logs;
  pre::ArrayBlocks arrays{kNoSource, logs, kGenerator};
  runSteps(arrays, host, {{u"#ARRAYSTART a b c", u"'#ARRAYSTART a b c"},
                          {u" ':1", u"' :1"},
                          {u"#ARRAYEND", u"'#ARRAYEND"},
                          {u"x=1", u"x=1"}});
  EXPECT_TRUE(host.events.empty());
  EXPECT_FALSE(work.folder.exists("z_c.cfg"));
}

TEST(ArrayBlocks, GeneratorFailuresLeaveANoticeAndTheRunGoesOn) {
  WorkingFolder work;
  RecordingHost host;
  host.onRun = [](const std::u16string&) { return false; };
  RecordingLogs logs;
  pre::ArrayBlocks arrays{kNoSource, logs, kGenerator};
  runSteps(arrays, host, {{u"#ARRAYGENERATE", u"'#ARRAYGENERATE"},
                          {u"#ARRAYEND", u"'#ARRAYEND"},
                          {u"#ARRAYSTART a b n", u"'#ARRAYSTART a b n"},
                          {u"#ARRAYEND", u"'#ARRAYEND"}});
  EXPECT_EQ(host.events, (std::vector<std::string>{"run Vemtor.exe -cfgin z_n.cfg -progout z_n.bas"}));
  EXPECT_EQ(logs.notes, (std::vector<std::u16string>{
                            u"#ARRAYEND without #ARRAYSTART: the array generator was not run",
                            u"The array generator did not run or reported an error: "
                            u"Vemtor.exe -cfgin z_n.cfg -progout z_n.bas"}));

  // With no generator to run, a block that asks for one stops the run; one
  // in a folder with blanks is quoted.
  const std::vector<Step> generate = {{u"#ARRAYGENERATE", u"'#ARRAYGENERATE"},
                                      {u"#ARRAYSTART a b n", u"'#ARRAYSTART a b n"},
                                      {u"#ARRAYEND", u"'#ARRAYEND"}};
  pre::ArrayBlocks without{kNoSource, logs, {{}, u"no generator"}};
  EXPECT_THROW(runSteps(without, host, generate), base::FatalError);
  pre::ArrayBlocks quoted{kNoSource, logs, {u"/my tools/Vemtor.exe", {}}};
  runSteps(quoted, host, generate);
  EXPECT_EQ(host.events.back(), "run \"/my tools/Vemtor.exe\" -cfgin z_n.cfg -progout z_n.bas");
}

TEST(ArrayBlocks, IncludeSplitsBlockEnds) {
  struct Case {
    std::string generated;
    std::u16string inserted;  // between the commented line and the final line end
  } cases[] = {
      {"CFunction f\r\n00000001\r\nEnd CFunction\r\n", u"CFunction f\r\n00000001\r\n\r\nEnd CFunction\r\n"},
      {"0000 end cfunction ' tail\n", u"0000 \r\nEnd CFunction\r\n"},
      {"x END CSUB y\n", u"x \r\nEnd CSub\r\n"},
      {"End CSub", u"\r\nEnd CSub\r\n"},
      {"Dim a(2)\rcsub", u"Dim a(2)\r\ncsub\r\n"},
      {"\xEF\xBB\xBFz=\"\xC3\xA9\"\n", u"z=\"\u00E9\"\r\n"},
      {"", u""},
  };
  for (const auto& c : cases) {
    WorkingFolder work;
    work.folder.write("z_Wave.bas", c.generated);
    RecordingHost host;
    RecordingLogs logs;
  pre::ArrayBlocks arrays{kNoSource, logs, kGenerator};
    std::u16string buffer = u"  #ARRAYINCLUDE   Wave  ";
    bool inBlock = false;
    EXPECT_TRUE(arrays.handleLine(buffer, inBlock, host));
    EXPECT_EQ(buffer, u"'  #ARRAYINCLUDE   Wave  \r\n\r\n" + c.inserted + u"\r\n") << c.generated;
  }
}

TEST(ArrayBlocks, MissingGeneratedFileStopsTheRun) {
  WorkingFolder work;
  RecordingHost host;
  RecordingLogs logs;
  pre::ArrayBlocks arrays{kNoSource, logs, kGenerator};
  std::u16string buffer = u"#ARRAYINCLUDE Absent";
  bool inBlock = false;
  try {
    arrays.handleLine(buffer, inBlock, host);
    ADD_FAILURE() << "no fatal error";
  } catch (const base::FatalError& e) {
    EXPECT_EQ(e.text, u"A file referenced by an  #ARRAYINCLUDE directive cannot be found\r\n"
                      u"File Not FOUND :z_Absent.bas\r\n");
  }
}

}  // namespace
