#include "app/read_loop.h"

#include <vector>

#include "app/line_order.h"
#include "app/run.h"
#include "base/fatal_error.h"
#include "platform/files.h"
#include "text/blanks.h"
#include "text/lines.h"
#include "text/utf8.h"

namespace app {
namespace {

std::vector<std::u16string> sourceLines(const RunSettings& settings) {
  auto bytes = platform::readFileBytes(settings.sourcePath);
  if (!bytes) {
    base::fail(u"The passed Corvane .bas file cannot be opened\r\nFile Not FOUND :" +
               settings.sourcePath +
               u"\r\nCheck that the Corvane Action menu is passing the correct parameters\r\n");
  }
  return text::splitLines(text::decodeUtf8(*bytes));
}

// One reading from the first line; false when a line asked for the reading
// to start again from the first line.
bool readOnce(Run& run, const std::vector<std::u16string>& lines) {
  pre::LineState& line = run.state.line;
  for (const std::u16string& sourceLine : lines) {
    line.lineBuffer = sourceLine;
    ++line.sourceLineNumber;
    // A target line that was not emitted must not double a later line's entry.
    line.lineMapRepeat = false;
    if (run.state.target.espOption) {
      line.lineBuffer.erase(0, line.lineBuffer.size() - text::trimLeadingBlanks(line.lineBuffer).size());
    }
    switch (processMainLine(run)) {
      case LineOutcome::goOn: break;
      case LineOutcome::restartReading: return false;
      case LineOutcome::stopReading: return true;
    }
  }
  return true;
}

}  // namespace

void startReadingAgain(Run& run) {
  RunState& state = run.state;
  state.output.text.clear();
  state.output.lineMap.clear();
  state.line.sourceLineNumber = 0;
  run.replacements.clear();
  run.pio.restartReading();
  // Whatever the previous reading left open would otherwise swallow or
  // comment out the whole new reading. Defined symbols stay.
  run.conditionals.closeAllLevels();
  state.line.inBlockComment = false;
  run.library.librarySection = 0;
  run.arrays.closeOpenBlock();
}

void readSource(Run& run) {
  RunState& state = run.state;
  const std::vector<std::u16string> lines = sourceLines(state.settings);
  while (!readOnce(run, lines)) {
  }
  if (!state.pioBlockSeen) return;
  // The second reading assembles what the first one measured. A first reading
  // that stopped at #ENDCODE gets one too, up to the same line.
  state.secondReading = true;
  state.pioBlockSeen = false;
  startReadingAgain(run);
  while (!readOnce(run, lines)) {
  }
}

}  // namespace app
