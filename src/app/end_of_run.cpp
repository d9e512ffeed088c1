#include "app/end_of_run.h"

#include "app/run.h"
#include "app/settings_file.h"
#include "base/fatal_error.h"
#include "delivery/clipboard_text.h"
#include "delivery/winbasic_delivery.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/pending_group.h"
#include "text/lines.h"
#include "text/numbers.h"
#include "text/utf8.h"
#include "ui/pio_check_window.h"
#include "ui/run_log_window.h"

namespace app {
namespace {

// A target smaller than this is taken for a missing or broken install.
constexpr int64_t kMinimumTargetSize = 100;

// The result and its line map are written whole or not at all, and change
// together: a failed run leaves the previous pair as it was.
void writeResult(const Run& run) {
  const RunSettings& settings = run.state.settings;
  const std::u16string cantOpen = u" cant open " + settings.outputPath;
  platform::PendingGroup pair;
  if (!pair.add(settings.outputPath).writeText(run.reading.output.text)) base::fail(cantOpen);
  if (settings.mode == base::RunMode::brisko &&
      !pair.add(run.files.lineMapPath()).write(run.reading.output.lineMap.bytes())) {
    failedToCreate(run.files.lineMapPath());
  }
  const platform::PendingFile* notPlaced = pair.commit();
  if (!notPlaced) return;
  if (notPlaced->path() == settings.outputPath) base::fail(cantOpen);
  failedToCreate(notPlaced->path());
}

bool targetMissing(const RunSettings& settings) {
  return platform::fileSize(settings.targetProgram) < kMinimumTargetSize;
}

void handOver(Run& run) {
  const RunState& state = run.state;
  const RunSettings& settings = state.settings;
  if (state.target.winBasicTarget) {
    if (settings.mode == base::RunMode::brisko) {
      delivery::deliverToWinBasic(run.host, {run.reading.output.text, settings.folders.testName,
                                             state.options.winDelay, state.target.autoRunTarget});
      return;
    }
    if (targetMissing(settings)) {
      base::fail(u"Failed To find Corvane target: " + settings.targetProgram +
                 u"\r\nCheck the path is set correctly in tyhe Corvane Action menu\r\n");
    }
  } else {
    if (targetMissing(settings)) {
      base::fail(u"Failed To find Brisko target: " + settings.targetProgram +
                 u"\r\nCheck the path is set correctly in the Corvane Action menu\r\n");
    }
    if (settings.mode == base::RunMode::pioCheck) return;
  }
  // A program that fails to start is not reported: the result is written.
  run.host.startProgram(settings.targetProgram, settings.outputPath, settings.hostFolder);
}

// Clipboard mode leaves the program, ready to paste, on the clipboard too.
void fillClipboard(Run& run) {
  const pre::TargetOptions& target = run.state.target;
  if (!target.clipboardMode) return;
  const delivery::ClipboardRequest request{run.reading.output.text, target.espOption,
                                           target.piAutoRun, target.piAutoSave, target.saveName};
  if (!run.host.setClipboardText(delivery::clipboardText(request))) {
    run.host.notice(u"The clipboard could not be filled; the result is in " +
                    run.state.settings.outputPath);
  }
}

void showPioCheck(Run& run) {
  run.files.closePioReport();
  auto bytes = platform::readFileBytes(run.files.pioReportPath());
  if (!bytes) base::fail(u"Failed to read file " + run.files.pioReportPath());
  const auto desktop = run.host.desktopSize();
  const auto title = run.state.settings.mode == base::RunMode::pioCheck ? ui::PioCheckTitle::shown
                                                                        : ui::PioCheckTitle::none;
  run.host.showWindow(ui::pioCheckWindow(kVersionText, title, run.pio.errorCount(),
                                         text::splitLines(text::decodeUtf8(*bytes)), desktop.width,
                                         desktop.height));
}

void showRunLog(Run& run) {
  run.files.closeRunLog();
  auto bytes = platform::readFileBytes(run.files.runLogPath());
  if (!bytes) failedToCreate(run.files.runLogPath());
  run.host.showWindow(ui::runLogWindow(kVersionText, run.files.runLogPath(),
                                       text::splitLines(text::decodeUtf8(*bytes))));
}

// Unclosed blocks are legal and keep their meaning (the rest of the source
// stays dropped or inside the section), but a user wants to hear of them.
void noteUnclosedBlocks(Run& run) {
  const std::u16string& source = run.state.settings.sourcePath;
  const pre::Reading& reading = run.reading;
  if (reading.levels.level() > 0) {
    run.host.notice(u"Note: " + text::decimal(reading.levels.level()) +
                    u" #IFDEF/#IFNDEF level(s) still open at the end of " + source);
  }
  if (reading.librarySection != pre::LibraryKind::none) {
    run.host.notice(u"Note: a library section is still open at the end of " + source);
  }
  if (reading.inBlockComment) {
    run.host.notice(u"Note: a /* block comment is still open at the end of " + source);
  }
  if (reading.inArrayBlock) {
    run.host.notice(u"Note: an #ARRAYSTART block is still open at the end of " + source);
  }
}

}  // namespace

void finishRun(Run& run) {
  RunState& state = run.state;
  noteUnclosedBlocks(run);
  pre::Output& output = run.reading.output;
  output.text = pre::applyReplacements(run.reading.replacements, std::move(output.text));
  writeCodeStore(state.settings.dataFolder + u"MMmodule.inf", state.codeBase);
  writeResult(run);
  handOver(run);
  fillClipboard(run);
  if (run.pio.errorCount() > 0 || state.settings.mode == base::RunMode::pioCheck) showPioCheck(run);
  if (run.files.runLogStarted()) showRunLog(run);
}

}  // namespace app
