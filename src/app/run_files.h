#pragma once

#include <memory>
#include <string>

#include "base/logs.h"

namespace platform {
class AppendFile;
}
namespace pre {
class SourceGuard;
}

namespace app {

/// Stops the run: a working file of the data folder could not be made (or
/// read back).
[[noreturn]] void failedToCreate(const std::u16string& path);

/// The run's two report files: the PIO report "PasmErrors.txt", created at
/// start-up, and the run log "Prexle.txt", created by the first #DEBUG.
/// Both are written through at once, so they are complete whatever happens.
class RunFiles : public base::Logs {
 public:
  /// Neither file may be the source the guard keeps.
  RunFiles(std::u16string dataFolder, const pre::SourceGuard& guard);
  ~RunFiles() override;

  /// Creates the PIO report empty; a failure stops the run.
  void createPioReport();

  std::u16string pioReportPath() const { return dataFolder_ + u"PasmErrors.txt"; }
  std::u16string runLogPath() const { return dataFolder_ + u"Prexle.txt"; }
  /// The line map of a Brisko run, written with the result.
  std::u16string lineMapPath() const { return dataFolder_ + u"lineno.txt"; }

  /// Closes the files before their windows read them back.
  void closePioReport();
  void closeRunLog();

  void logLine(std::u16string_view line) override;
  void pioErrorLine(std::u16string_view line) override;
  void startRunLog() override;
  bool runLogStarted() const override { return runLogStarted_; }

 private:
  std::u16string dataFolder_;
  const pre::SourceGuard& guard_;
  std::unique_ptr<platform::AppendFile> pioReport_;
  std::unique_ptr<platform::AppendFile> runLog_;
  bool runLogStarted_ = false;
};

}  // namespace app
