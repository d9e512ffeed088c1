#include "app/end_of_run.h"

#include "app/run.h"
#include "app/settings_file.h"
#include "delivery/clipboard_text.h"
#include "delivery/winbasic_delivery.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/pending_file.h"
#include "text/lines.h"
#include "text/numbers.h"
#include "text/utf8.h"
#include "base/fatal_error.h"
#include "ui/pio_check_window.h"
#include "ui/run_log_window.h"

namespace app {
namespace {

// A target smaller than this is taken for a missing or broken install.
constexpr int64_t kMinimumTargetSize = 100;

void writeResult(const RunState& state) {
  if (!platform::PendingFile(state.outputPath).commit(text::encodeUtf8(state.outputText))) {
    base::fail(u" cant open " + state.outputPath);
  }
}

bool targetMissing(const RunState& state) {
  return platform::fileSize(state.targetProgram) < kMinimumTargetSize;
}

void handOver(Run& run) {
  RunState& state = run.state;
  if (state.winBasicTarget) {
    if (state.briskoMode) {
      delivery::deliverToWinBasic(run.host, {state.outputText, state.testName, state.winDelay,
                                             state.autoRunTarget});
      return;
    }
    if (targetMissing(state)) {
      base::fail(u"Failed To find Corvane target: " + state.targetProgram +
               u"\r\nCheck the path is set correctly in tyhe Corvane Action menu\r\n");
    }
  } else {
    if (targetMissing(state)) {
      base::fail(u"Failed To find Brisko target: " + state.targetProgram +
               u"\r\nCheck the path is set correctly in the Corvane Action menu\r\n");
    }
    if (state.pioCheckMode) return;
  }
  // A program that fails to start is not reported: the result is written.
  run.host.startProgram(state.targetProgram, state.outputPath, state.hostFolder);
}

// Clipboard mode leaves the program, ready to paste, on the clipboard too.
void fillClipboard(Run& run) {
  if (!run.state.clipboardMode) return;
  if (!run.host.setClipboardText(delivery::clipboardText(run.state))) {
    run.host.notice(u"The clipboard could not be filled; the result is in " + run.state.outputPath);
  }
}

void showPioCheck(Run& run) {
  run.files.closePioReport();
  auto bytes = platform::readFileBytes(run.files.pioReportPath());
  if (!bytes) base::fail(u"Failed to read file " + run.files.pioReportPath());
  const auto desktop = run.host.desktopSize();
  run.host.showWindow(ui::pioCheckWindow(run.state.versionText, run.state.pioCheckMode,
                                         run.pio.errorCount(), text::splitLines(text::decodeUtf8(*bytes)),
                                         desktop.width, desktop.height));
}

void showRunLog(Run& run) {
  run.files.closeRunLog();
  auto bytes = platform::readFileBytes(run.files.runLogPath());
  if (!bytes) base::fail(u"Failed to created file " + run.files.runLogPath());
  run.host.showWindow(ui::runLogWindow(run.state.versionText, run.files.runLogPath(),
                                       text::splitLines(text::decodeUtf8(*bytes))));
}

// Unclosed blocks are legal and keep their meaning (the rest of the source
// stays dropped or inside the section), but a user wants to hear of them.
void noteUnclosedBlocks(Run& run) {
  if (run.conditionals.level() > 0) {
    run.host.notice(u"Note: " + text::decimal(run.conditionals.level()) +
                    u" #IFDEF/#IFNDEF level(s) still open at the end of " + run.state.sourcePath);
  }
  if (run.library.librarySection != 0) {
    run.host.notice(u"Note: a library section is still open at the end of " + run.state.sourcePath);
  }
}

}  // namespace

void finishRun(Run& run) {
  RunState& state = run.state;
  noteUnclosedBlocks(run);
  state.outputText = pre::applyReplacements(run.replacements, std::move(state.outputText));
  writeCodeStore(state.dataFolder + u"MMmodule.inf", state.codeBase);
  writeResult(state);
  handOver(run);
  fillClipboard(run);
  if (run.pio.errorCount() > 0 || state.pioCheckMode) showPioCheck(run);
  if (state.debugLog) showRunLog(run);
}

}  // namespace app
