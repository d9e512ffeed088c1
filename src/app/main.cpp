#include "app/main.h"

#include <exception>

#include "app/end_of_run.h"
#include "app/read_loop.h"
#include "app/run.h"
#include "app/settings_file.h"
#include "app/startup.h"
#include "platform/host.h"
#include "text/utf8.h"
#include "ui/console_text.h"
#include "base/fatal_error.h"
#include "ui/fatal_error_window.h"

namespace app {
namespace {

void runOnce(const std::vector<std::u16string>& arguments, platform::Host& host) {
  Run run(startUp(arguments), host);
  RunState& state = run.state;
  if (state.briskoMode && !run.lineMap.open(state.dataFolder + u"lineno.txt")) {
    base::fail(u"Failed to created file " + state.dataFolder + u"lineno.txt");
  }
  state.codeBase = readCodeStore(state.dataFolder + u"MMmodule.inf");
  run.files.createPioReport();
  readSource(run);
  finishRun(run);
}

void showFatalError(platform::Host& host, std::u16string_view message) {
  ui::TextWindow window = ui::fatalErrorWindow(RunState().versionText, message);
  if (host.showWindow(window)) return;
  std::u16string text = ui::consoleText(window);
  text.pop_back();  // the notice ends the last line itself
  host.notice(text);
}

}  // namespace

int prexleMain(const std::vector<std::u16string>& arguments) {
  auto host = platform::Host::create();
  try {
    runOnce(arguments, *host);
    return 0;
  } catch (const base::FatalError& error) {
    showFatalError(*host, error.text);
  } catch (const std::exception& error) {
    // Out of memory and the like still end in the fatal-error window.
    showFatalError(*host, text::u16(error.what()));
  }
  return 1;
}

}  // namespace app
