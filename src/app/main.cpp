#include "app/main.h"

#include <exception>

#include "app/end_of_run.h"
#include "app/read_loop.h"
#include "app/run.h"
#include "app/settings_file.h"
#include "app/startup.h"
#include "base/fatal_error.h"
#include "platform/console_text.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/process.h"
#include "platform/text_window.h"
#include "text/utf8.h"
#include "ui/fatal_error_window.h"

namespace app {

const char16_t kVersionText[] = PREXLE_VERSION_TEXT;

namespace {

void runOnce(const std::vector<std::u16string>& arguments, platform::Host& host) {
  Run run(startUp(arguments), host);
  const RunSettings& settings = run.state.settings;
  run.sourceGuard.refuseToOverwrite(settings.outputPath);
  if (settings.mode == base::RunMode::brisko) {
    run.sourceGuard.refuseToOverwrite(run.files.lineMapPath());
    // The map itself is written with the result; this only makes sure it can be.
    if (!platform::canAppendTo(run.files.lineMapPath())) failedToCreate(run.files.lineMapPath());
  }
  run.state.codeBase = readCodeStore(settings.dataFolder + u"MMmodule.inf");
  run.files.createPioReport();
  readSource(run);
  finishRun(run);
}

void showFatalError(platform::Host& host, std::u16string_view message) {
  platform::TextWindow window = ui::fatalErrorWindow(kVersionText, message);
  if (host.showWindow(window)) return;
  std::u16string text = platform::consoleText(window);
  text.pop_back();  // the notice ends the last line itself
  host.notice(text);
}

}  // namespace

int runOnDesktop(const std::vector<std::u16string>& arguments, platform::Host& host) {
  try {
    runOnce(arguments, host);
    return 0;
  } catch (const base::FatalError& error) {
    showFatalError(host, error.text);
  } catch (const std::exception& error) {
    // Out of memory and the like still end in the fatal-error window.
    showFatalError(host, text::u16(error.what()));
  }
  return 1;
}

int prexleMain(const std::vector<std::u16string>& arguments) {
  platform::prepareProcess();
  auto host = platform::Host::create();
  return runOnDesktop(arguments, *host);
}

}  // namespace app
