#include <gtest/gtest.h>

#include "platform/host.h"

namespace {

TEST(ChildLimit, AProgramStillRunningAtTheLimitIsEnded) {
  auto host = platform::Host::create();
  EXPECT_EQ(host->runAndWait(u"sleep 30", std::chrono::milliseconds(100)), platform::ChildEnd::timedOut);
  EXPECT_EQ(host->runAndWait(u"true", std::chrono::seconds(30)), platform::ChildEnd::succeeded);
}

}  // namespace
