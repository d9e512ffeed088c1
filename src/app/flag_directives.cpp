#include "app/flag_directives.h"

#include <cstdint>

#include "app/run.h"
#include "preprocessor/directive_line.h"
#include "text/blanks.h"
#include "text/numbers.h"

namespace app {
namespace {

constexpr int kDefaultWinDelay = 50;

// A delay that is missing, not a number or not positive means the default:
// a negative wait would never end.
int winDelayOf(std::u16string_view lineBuffer) {
  int64_t value = text::leadingDecimal(text::field(text::normaliseBlanks(lineBuffer), 2));
  return value > 0 && value <= INT32_MAX ? static_cast<int>(value) : kDefaultWinDelay;
}

}  // namespace

void handleFlagDirectives(Run& run) {
  RunState& state = run.state;
  std::u16string& line = state.lineBuffer;
  if (text::isDirective(line, u"#DEBUG")) {
    pre::commentOut(line);
    if (!state.debugLog) {
      run.files.openRunLog();
      state.debugLog = true;
    }
  }
  if (text::isDirective(line, u"#WINDELAY")) {
    state.winDelay = winDelayOf(line);
    pre::commentOut(line);
  }
  if (text::isDirective(line, u"#KEEPCOMMENTS")) {
    pre::commentOut(line);
    state.keepComments = true;
  }
  if (text::isDirective(line, u"#PASSINCLUDES")) {
    pre::commentOut(line);
    state.passIncludes = true;
  }
  if (text::isDirective(line, u"#LIBRARYIGNORE")) {
    pre::commentOut(line);
    state.libraryIgnore = true;
  }
}

}  // namespace app
