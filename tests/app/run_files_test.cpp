#include "app/run_files.h"

#include <gtest/gtest.h>

#include "app/reporter.h"
#include "app/run_state.h"
#include "base/source_location.h"
#include "preprocessor/source_guard.h"
#include "support/temp_folder.h"
#include "text/utf8.h"

namespace {

struct NotesOnly : app::Reporter {
  void fatalError(std::u16string_view, const base::SourceLocation&) override {}
  void note(std::u16string_view message, const base::SourceLocation& where) override {
    notes.push_back(text::encodeUtf8(where.file) + ":" + std::to_string(where.line) + " " + text::encodeUtf8(message));
  }
  void pioError(std::u16string_view, const base::SourceLocation&) override {}
  void writeFailed(std::u16string_view) override {}
  void pioCheck(const app::PioCheck&) override {}
  void runLog(std::u16string_view, const std::vector<std::u16string>&) override {}
  std::vector<std::string> notes;
};

TEST(RunFiles, TheRunLogStartsOnceAndKeepsItsLinesWhereverItGoes) {
  testing_support::TempFolder folder;
  const pre::SourceGuard guard{u"/no/such/source.bas"};
  NotesOnly reporter;
  const base::SourceLocation where{u"a.bas", 7};
  app::RunSettings settings;
  settings.runLog = app::Destination::file(text::u16(folder.path().string()) + u"/Prexle.txt");
  app::RunFiles files(settings, guard, reporter, where);
  files.logLine(u"before any #DEBUG");
  EXPECT_FALSE(files.runLogStarted());
  EXPECT_FALSE(folder.exists("Prexle.txt"));
  files.startRunLog();
  files.logLine(u"kept");
  files.startRunLog();
  EXPECT_TRUE(files.runLogStarted());
  EXPECT_EQ(folder.read("Prexle.txt"), "kept\r\n") << "a second start does not empty the log";
  files.note(u"n");
  EXPECT_EQ(reporter.notes, std::vector<std::string>{"a.bas:7 n"});

  const app::RunSettings noFiles;
  app::RunFiles unwritten(noFiles, guard, reporter, where);
  unwritten.createPioReport();
  unwritten.pioErrorLine(u"in memory only");
  EXPECT_EQ(unwritten.pioReport().bytes(), "in memory only\r\n");
  EXPECT_FALSE(unwritten.pioReport().lost());
}

}  // namespace
