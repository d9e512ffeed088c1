#include "app/run_once.h"

#include <exception>

#include "app/pio_source_run.h"
#include "app/read_loop.h"
#include "app/reporter.h"
#include "app/run.h"
#include "app/settings_file.h"
#include "app/startup.h"
#include "base/fatal_error.h"
#include "base/source_location.h"
#include "platform/files.h"
#include "text/utf8.h"

namespace app {
namespace {

RunOutcome runOnce(RunRequest request, Reporter& reporter, platform::Host& host, base::SourceLocation& where) {
  Run run(settingsFor(std::move(request)), reporter, host, where);
  const RunSettings& settings = run.state.settings;
  if (settings.result == Sink::file) run.sourceGuard.refuseToOverwrite(settings.outputPath);
  if (settings.sourceKind == SourceKind::pioProgram) {
    run.files.createPioReport();
    return translatePioProgram(run);
  }
  if (!run.files.lineMapPath().empty()) {
    run.sourceGuard.refuseToOverwrite(run.files.lineMapPath());
    // The map itself is written with the result; this only makes sure it can be.
    if (!platform::canAppendTo(run.files.lineMapPath())) base::failedToCreate(run.files.lineMapPath());
  }
  if (settings.chip) run.pio.setDefaultChip(*settings.chip);
  run.state.codeBase = readCodeStore(settings.dataFolder + u"MMmodule.inf");
  run.files.createPioReport();
  readSource(run);
  return finishRun(run);
}

}  // namespace

RunOutcome runRequest(const std::function<RunRequest()>& makeRequest, Reporter& reporter, platform::Host& host) {
  // Outside the run, so that the error that ends it can still name the line.
  base::SourceLocation where;
  try {
    return runOnce(makeRequest(), reporter, host, where);
  } catch (const base::FatalError& error) {
    reporter.fatalError(error.text, where);
  } catch (const std::exception& error) {
    // Out of memory and the like are reported as any error that stops the run.
    reporter.fatalError(text::u16(error.what()), where);
  }
  return {};
}

}  // namespace app
