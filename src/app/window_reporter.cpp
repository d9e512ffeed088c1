#include "app/window_reporter.h"

#include "app/run_state.h"
#include "platform/console_text.h"
#include "platform/host.h"
#include "platform/text_window.h"
#include "ui/fatal_error_window.h"
#include "ui/pio_check_window.h"
#include "ui/run_log_window.h"

namespace app {

void WindowReporter::fatalError(std::u16string_view message, const base::SourceLocation&) {
  platform::TextWindow window = ui::fatalErrorWindow(kVersionText, message);
  if (host_.showWindow(window)) return;
  std::u16string text = platform::consoleText(window);
  text.pop_back();  // the notice ends the last line itself
  host_.notice(text);
}

void WindowReporter::note(std::u16string_view message, const base::SourceLocation&) { host_.notice(message); }

void WindowReporter::pioError(std::u16string_view, const base::SourceLocation&) {}

void WindowReporter::writeFailed(std::u16string_view message) { host_.notice(message); }

void WindowReporter::pioCheck(const PioCheck& check) {
  const auto desktop = host_.desktopSize();
  const auto title = check.requested ? ui::PioCheckTitle::shown : ui::PioCheckTitle::none;
  host_.showWindow(
      ui::pioCheckWindow(kVersionText, title, check.errorCount, check.reportLines, desktop.width, desktop.height));
}

void WindowReporter::runLog(std::u16string_view path, const std::vector<std::u16string>& lines) {
  host_.showWindow(ui::runLogWindow(kVersionText, path, lines));
}

}  // namespace app
