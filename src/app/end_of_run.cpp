#include "app/end_of_run.h"

#include "app/reporter.h"
#include "app/run.h"
#include "app/settings_file.h"
#include "base/fatal_error.h"
#include "delivery/clipboard_text.h"
#include "delivery/winbasic_delivery.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/pending_group.h"
#include "text/lines.h"
#include "text/numbers.h"
#include "text/utf8.h"

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
    base::failedToCreate(run.files.lineMapPath());
  }
  const platform::PendingFile* notPlaced = pair.commit();
  if (!notPlaced) return;
  if (notPlaced->path() == settings.outputPath) base::fail(cantOpen);
  base::failedToCreate(notPlaced->path());
}

// The routes around writeResult: a Brisko run asked for no line map, or the
// result goes to standard output (the map, when asked for, still to its file
// and first, as writeResult does it).
void writeResultAlone(const Run& run) {
  const RunSettings& settings = run.state.settings;
  platform::PendingFile result(settings.outputPath);
  const bool written = result.writeText(run.reading.output.text) && result.commit();
  if (!written) base::fail(u" cant open " + settings.outputPath);
}

void writeResultToStandardOutput(const Run& run) {
  const std::u16string& mapPath = run.files.lineMapPath();
  if (run.state.settings.mode == base::RunMode::brisko && !mapPath.empty()) {
    platform::PendingFile map(mapPath);
    if (!map.commit(run.reading.output.lineMap.bytes())) base::failedToCreate(mapPath);
  }
  if (!platform::writeStandardOutput(text::encodeUtf8(run.reading.output.text))) {
    base::fail(u"The result could not be written to standard output");
  }
}

void writeTheResult(const Run& run) {
  const RunSettings& settings = run.state.settings;
  if (settings.result == Sink::standardOutput) {
    writeResultToStandardOutput(run);
  } else if (settings.mode == base::RunMode::brisko && run.files.lineMapPath().empty()) {
    writeResultAlone(run);
  } else {
    writeResult(run);
  }
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
    run.reporter.note(u"The clipboard could not be filled; the result is in " + run.state.settings.outputPath, {});
  }
}

constexpr std::u16string_view kPioReportName = u"The PIO report";
constexpr std::u16string_view kRunLogName = u"The run log";

// Said in the window and to the user when a report lost lines on the way to
// its sink.
std::u16string lossMessage(const ReportChannel& channel, std::u16string_view name) {
  const Destination& sink = channel.destination();
  return std::u16string(name) + u" could not be written in full to " +
         (sink.sink == Sink::file ? sink.path : u"standard output");
}

// The windows show what the run produced, kept as the files hold it, so a
// file that could not be written loses nothing here.
void showPioCheck(Run& run, int errorCount) {
  const ReportChannel& report = run.files.pioReport();
  PioCheck check{run.state.settings.mode == base::RunMode::pioCheck, errorCount,
                 text::splitLines(text::decodeUtf8(report.bytes()))};
  if (report.lost()) check.reportLines.insert(check.reportLines.begin(), lossMessage(report, kPioReportName));
  run.reporter.pioCheck(check);
}

void showRunLog(Run& run) {
  const ReportChannel& log = run.files.runLog();
  std::vector<std::u16string> lines = text::splitLines(text::decodeUtf8(log.bytes()));
  if (log.lost()) lines.insert(lines.begin(), lossMessage(log, kRunLogName));
  run.reporter.runLog(log.destination().path, lines);
}

void reportLosses(Run& run) {
  if (run.files.pioReport().lost()) run.reporter.writeFailed(lossMessage(run.files.pioReport(), kPioReportName));
  if (run.files.runLog().lost()) run.reporter.writeFailed(lossMessage(run.files.runLog(), kRunLogName));
}

// Unclosed blocks are legal and keep their meaning (the rest of the source
// stays dropped or inside the section), but a user wants to hear of them,
// at the line that opened them (the innermost level's, for #IFDEF).
void noteUnclosedBlocks(Run& run) {
  const std::u16string& source = run.state.settings.sourcePath;
  const pre::Reading& reading = run.reading;
  const OpenedAt& at = run.openedAt;
  if (reading.levels.level() > 0) {
    run.reporter.note(u"Note: " + text::decimal(reading.levels.level()) +
                          u" #IFDEF/#IFNDEF level(s) still open at the end of " + source,
                      at.levels.empty() ? base::SourceLocation{} : at.levels.back());
  }
  if (reading.librarySection != pre::LibraryKind::none) {
    run.reporter.note(u"Note: a library section is still open at the end of " + source, at.librarySection);
  }
  if (reading.inBlockComment) {
    run.reporter.note(u"Note: a /* block comment is still open at the end of " + source, at.blockComment);
  }
  if (reading.inArrayBlock) {
    run.reporter.note(u"Note: an #ARRAYSTART block is still open at the end of " + source, at.arrayBlock);
  }
}

}  // namespace

RunOutcome finishRun(Run& run) {
  RunState& state = run.state;
  noteUnclosedBlocks(run);
  pre::Output& output = run.reading.output;
  output.text = pre::applyReplacements(run.reading.replacements, std::move(output.text));
  writeCodeStore(state.settings.dataFolder + u"MMmodule.inf", state.codeBase);
  writeTheResult(run);
  if (state.settings.handOff) {
    handOver(run);
    fillClipboard(run);
  }
  run.files.close();
  reportLosses(run);
  if (run.pio.errorCount() > 0 || state.settings.mode == base::RunMode::pioCheck) {
    showPioCheck(run, run.pio.errorCount());
  }
  if (run.files.runLogStarted()) showRunLog(run);
  return {.resultWritten = true, .pioErrors = run.pio.errorCount()};
}

RunOutcome finishPioTranslation(Run& run, int errorCount) {
  const bool written = !run.reading.output.text.empty();
  if (written) writeTheResult(run);
  run.files.close();
  reportLosses(run);
  if (errorCount > 0 || run.state.settings.mode == base::RunMode::pioCheck) showPioCheck(run, errorCount);
  return {.resultWritten = written, .pioErrors = errorCount};
}

}  // namespace app
