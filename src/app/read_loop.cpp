#include "app/read_loop.h"

#include <vector>

#include "app/line_order.h"
#include "app/run.h"
#include "platform/files.h"
#include "text/blanks.h"
#include "text/lines.h"
#include "text/utf8.h"
#include "base/fatal_error.h"

namespace app {
namespace {

std::vector<std::u16string> sourceLines(const RunState& state) {
  auto bytes = platform::readFileBytes(state.sourcePath);
  if (!bytes) {
    base::fail(u"The passed Corvane .bas file cannot be opened\r\nFile Not FOUND :" + state.sourcePath +
             u"\r\nCheck that the Corvane Action menu is passing the correct parameters\r\n");
  }
  return text::splitLines(text::decodeUtf8(*bytes));
}

// One reading from the first line; false when a handler asked for the
// reading to start again from the first line.
bool readOnce(Run& run, const std::vector<std::u16string>& lines) {
  RunState& state = run.state;
  for (size_t i = 0; i < lines.size() && !state.endCodeSeen; ++i) {
    state.lineBuffer = lines[i];
    ++state.sourceLineNumber;
    if (state.espOption) state.lineBuffer = std::u16string(text::trimLeadingBlanks(state.lineBuffer));
    processMainLine(run);
    if (state.restartReading) {
      state.restartReading = false;
      return false;
    }
  }
  return true;
}

}  // namespace

void startReadingAgain(Run& run) {
  RunState& state = run.state;
  state.outputText.clear();
  state.sourceLineNumber = 0;
  run.lineMap.clear();
  run.replacements.clear();
  run.pio.restartReading();
}

void readSource(Run& run) {
  RunState& state = run.state;
  const std::vector<std::u16string> lines = sourceLines(state);
  while (!readOnce(run, lines)) {
  }
  if (!state.pioBlockSeen) return;
  // The second reading assembles what the first one measured. A first reading
  // that stopped at #ENDCODE gets one too, up to the same line.
  state.secondReading = true;
  state.pioBlockSeen = false;
  state.endCodeSeen = false;
  startReadingAgain(run);
  while (!readOnce(run, lines)) {
  }
}

}  // namespace app
