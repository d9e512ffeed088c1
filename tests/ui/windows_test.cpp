#include <gtest/gtest.h>

#include "platform/console_text.h"
#include "ui/fatal_error_window.h"
#include "ui/run_log_window.h"

namespace {

TEST(FatalErrorWindow, MessageLinesBetweenTheEmptyLines) {
  const auto window = ui::fatalErrorWindow(u"1.0", u"one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(window.title, u"Prexle Fatal Error !!! ");
  EXPECT_EQ(window.width, 620);
  EXPECT_EQ(window.height, 720);
  ASSERT_EQ(window.gadgets.size(), 1u);
  EXPECT_EQ(window.gadgets[0].background, (platform::Colour{255, 255, 0}));
  EXPECT_EQ(platform::consoleText(window),
            u"Prexle Fatal Error !!! \n"
            u"Prexle version 1.0\n"
            u"---------------Fatal Error ------------------------\n"
            u"\n"
            u"one\ntwo\nthree\n"
            u"\n"
            u"----------------------------------------------------\n"
            u"Close this window and resolve the error to continue.\n"
            u"----------------------------------------------------\n");
}

TEST(RunLogWindow, VersionPathAndLogLines) {
  const auto window = ui::runLogWindow(u"1.0", u"D:\\DATA\\Prexle.txt", {u"a", u"b"});
  EXPECT_EQ(window.title, u"Prexle Debug Log");
  EXPECT_EQ(window.width, 1000);
  EXPECT_EQ(window.height, 768);
  EXPECT_EQ(platform::consoleText(window),
            u"Prexle Debug Log\nPrexle version 1.0\nD:\\DATA\\Prexle.txt Opened\na\nb\n");
}

}  // namespace
