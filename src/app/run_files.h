#pragma once

#include <memory>
#include <string>

#include "app/run_request.h"
#include "base/logs.h"

namespace base {
struct SourceLocation;
}
namespace platform {
class AppendFile;
}
namespace pre {
class SourceGuard;
}

namespace app {

class Reporter;
struct RunSettings;

/// One report of the run: kept whole in memory, as its file would hold it,
/// and written through to its sink line by line, so a file is complete
/// whatever happens to the run later.
class ReportChannel {
 public:
  explicit ReportChannel(Destination destination);
  ~ReportChannel();

  /// Creates (or empties) the file of a file sink; false when it cannot be
  /// made. The other sinks need nothing.
  bool open();
  bool isOpen() const { return opened_; }
  void append(std::u16string_view line);
  /// Closes the file; a close that may have lost lines counts as a loss.
  void close();

  const std::string& bytes() const { return bytes_; }
  const Destination& destination() const { return destination_; }
  /// Some lines did not reach the sink.
  bool lost() const { return lost_; }

 private:
  Destination destination_;
  std::unique_ptr<platform::AppendFile> file_;
  std::string bytes_;
  bool opened_ = false;
  bool lost_ = false;
};

/// The run's reports: the PIO report, open from start-up, and the run log,
/// started by the first #DEBUG. Notes and PIO errors go on to the reporter
/// with the source line under way.
class RunFiles : public base::Logs {
 public:
  /// No report file may be the source the guard keeps.
  RunFiles(const RunSettings& settings, const pre::SourceGuard& guard, Reporter& reporter,
           const base::SourceLocation& where);
  ~RunFiles() override;

  /// Opens the PIO report, empty; a file that cannot be made stops the run.
  void createPioReport();

  /// The line map of a Brisko run, written with the result; empty for none.
  const std::u16string& lineMapPath() const;

  /// Closes both files before the closing windows show them.
  void close();

  const ReportChannel& pioReport() const { return pioReport_; }
  const ReportChannel& runLog() const { return runLog_; }

  void logLine(std::u16string_view line) override;
  void pioErrorLine(std::u16string_view line) override;
  void startRunLog() override;
  bool runLogStarted() const override { return runLog_.isOpen(); }
  void pioErrorFound(std::u16string_view statement, const base::SourceLocation& place) override;
  void note(std::u16string_view message) override;

 private:
  const RunSettings& settings_;
  const pre::SourceGuard& guard_;
  Reporter& reporter_;
  const base::SourceLocation& where_;
  ReportChannel pioReport_;
  ReportChannel runLog_;
};

}  // namespace app
