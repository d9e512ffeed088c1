#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/logs.h"

namespace testing_support {

// Keeps every line written, whether or not the run log was started, so tests
// can compare reports byte for byte.
class RecordingLogs : public base::Logs {
 public:
  void logLine(std::u16string_view line) override { log.emplace_back(line); }
  void pioErrorLine(std::u16string_view line) override { report.emplace_back(line); }
  void startRunLog() override { runLogStartCount += 1; }
  bool runLogStarted() const override { return runLogStartCount > 0; }
  void note(std::u16string_view message) override { notes.emplace_back(message); }

  std::vector<std::u16string> log;
  std::vector<std::u16string> report;
  std::vector<std::u16string> notes;
  int runLogStartCount = 0;
};

}  // namespace testing_support
