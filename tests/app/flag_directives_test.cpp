#include "app/flag_directives.h"

#include <gtest/gtest.h>

#include "app/run.h"
#include "support/temp_folder.h"
#include "testing/recording_host.h"
#include "text/utf8.h"

namespace {

struct FlagFixture {
  testing_support::TempFolder folder;
  testing_support::RecordingHost host;
  app::Run run{makeState(), host};

  app::RunState makeState() {
    app::RunState state;
    state.dataFolder = text::u16(folder.path().string()) + u"/";
    return state;
  }
  std::u16string handle(std::u16string line) {
    run.state.lineBuffer = std::move(line);
    app::handleFlagDirectives(run);
    return run.state.lineBuffer;
  }
};

TEST(FlagDirectives, EachSetsItsOptionAndBecomesAComment) {
  FlagFixture f;
  EXPECT_EQ(f.handle(u"  #keepcomments now"), u"'#keepcomments now\r\n");
  EXPECT_EQ(f.handle(u"#PASSINCLUDES"), u"'#PASSINCLUDES\r\n");
  EXPECT_EQ(f.handle(u"#LIBRARYIGNORE"), u"'#LIBRARYIGNORE\r\n");
  EXPECT_TRUE(f.run.state.keepComments && f.run.state.passIncludes && f.run.state.libraryIgnore);
  EXPECT_EQ(f.handle(u"x = 1 ' #DEBUG"), u"x = 1 ' #DEBUG");
  EXPECT_FALSE(f.run.state.debugLog);
  EXPECT_FALSE(f.folder.exists("Prexle.txt"));
}

TEST(FlagDirectives, WinDelayFallsBackToFifty) {
  struct Case {
    std::u16string line;
    int delay;
  } cases[] = {{u"#WINDELAY 120", 120}, {u"#windelay    7", 7}, {u"#WINDELAY", 50},
               {u"#WINDELAY 0", 50},    {u"#WINDELAY abc", 50}, {u"#WINDELAY -5", 50}};
  for (const auto& c : cases) {
    FlagFixture f;
    f.handle(c.line);
    EXPECT_EQ(f.run.state.winDelay, c.delay) << text::encodeUtf8(c.line);
  }
}

TEST(FlagDirectives, FirstDebugCreatesTheLogOnce) {
  FlagFixture f;
  f.handle(u"#DEBUG");
  ASSERT_TRUE(f.run.state.debugLog);
  f.run.files.logLine(u"kept");
  f.handle(u"#DEBUG");
  EXPECT_EQ(f.folder.read("Prexle.txt"), "kept\r\n") << "a second #DEBUG does not empty the log";
}

}  // namespace
