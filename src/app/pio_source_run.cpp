#include "app/pio_source_run.h"

#include "app/pio_files.h"
#include "app/reporter.h"
#include "app/run.h"
#include "base/logs.h"
#include "base/source_location.h"

namespace app {
namespace {

// The report's lines go to the run's report; the errors are told from the
// translation's own list, which counts an error the programs share once.
class ReportLines final : public base::Logs {
 public:
  explicit ReportLines(base::Logs& report) : report_(report) {}
  void logLine(std::u16string_view line) override { report_.logLine(line); }
  void pioErrorLine(std::u16string_view line) override { report_.pioErrorLine(line); }
  void startRunLog() override {}
  bool runLogStarted() const override { return false; }
  void note(std::u16string_view message) override { report_.note(message); }

 private:
  base::Logs& report_;
};

}  // namespace

RunOutcome translatePioProgram(Run& run) {
  const RunSettings& settings = run.state.settings;
  ReportLines report(run.files);
  PioSourceResult translation = translatePioSource(settings.sourcePath, {settings.pioBlock, settings.chip}, report,
                                                   settings.mode == base::RunMode::pioCheck);
  for (const pio::PioDiagnostic& error : translation.errors) {
    run.reporter.pioError(error.message, base::SourceLocation{error.file, error.line});
  }
  run.reading.output.text = std::move(translation.text);
  return finishPioTranslation(run, static_cast<int>(translation.errors.size()));
}

}  // namespace app
