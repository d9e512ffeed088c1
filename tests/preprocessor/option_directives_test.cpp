#include "preprocessor/option_directives.h"

#include <gtest/gtest.h>

#include "support/recording_logs.h"
#include "text/utf8.h"

namespace {

struct OptionFixture {
  pre::SourceOptions options;
  testing_support::RecordingLogs logs;

  std::u16string handle(std::u16string line) {
    pre::handleOptionDirectives(line, options, logs);
    return line;
  }
};

TEST(OptionDirectives, EachSetsItsOptionAndBecomesAComment) {
  OptionFixture f;
  EXPECT_EQ(f.handle(u"  #keepcomments now"), u"'#keepcomments now\r\n");
  EXPECT_EQ(f.handle(u"#PASSINCLUDES"), u"'#PASSINCLUDES\r\n");
  EXPECT_EQ(f.handle(u"#LIBRARYIGNORE"), u"'#LIBRARYIGNORE\r\n");
  EXPECT_TRUE(f.options.keepComments && f.options.passIncludes && f.options.libraryIgnore);
  EXPECT_EQ(f.handle(u"x = 1 ' #DEBUG"), u"x = 1 ' #DEBUG");
  EXPECT_FALSE(f.logs.runLogStarted());
  EXPECT_EQ(f.handle(u"#debug"), u"'#debug\r\n");
  EXPECT_TRUE(f.logs.runLogStarted());
}

TEST(OptionDirectives, WinDelayFallsBackToFifty) {
  struct Case {
    std::u16string line;
    int delay;
  } cases[] = {{u"#WINDELAY 120", 120}, {u"#windelay    7", 7}, {u"#WINDELAY", 50},
               {u"#WINDELAY 0", 50},    {u"#WINDELAY abc", 50}, {u"#WINDELAY -5", 50}};
  for (const auto& c : cases) {
    OptionFixture f;
    f.handle(c.line);
    EXPECT_EQ(f.options.winDelay, c.delay) << text::encodeUtf8(c.line);
  }
}

}  // namespace
