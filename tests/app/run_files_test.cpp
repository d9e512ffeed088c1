#include "app/run_files.h"

#include <gtest/gtest.h>

#include "preprocessor/source_guard.h"
#include "support/temp_folder.h"
#include "text/utf8.h"

namespace {

TEST(RunFiles, TheRunLogStartsOnceAndKeepsItsLines) {
  testing_support::TempFolder folder;
  const pre::SourceGuard guard{u"/no/such/source.bas"};
  app::RunFiles files(text::u16(folder.path().string()) + u"/", guard);
  files.logLine(u"before any #DEBUG");
  EXPECT_FALSE(files.runLogStarted());
  EXPECT_FALSE(folder.exists("Prexle.txt"));
  files.startRunLog();
  files.logLine(u"kept");
  files.startRunLog();
  EXPECT_TRUE(files.runLogStarted());
  EXPECT_EQ(folder.read("Prexle.txt"), "kept\r\n") << "a second start does not empty the log";
}

}  // namespace
