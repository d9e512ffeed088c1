#include "app/line_order.h"

#include "app/flag_directives.h"
#include "app/run.h"
#include "preprocessor/block_comments.h"
#include "preprocessor/conditionals.h"
#include "preprocessor/replacements.h"

namespace app {
namespace {

// The PIO seams: block directives and block lines.
void pioDirectives(Run&) {}
bool pioBlockLine(Run&) { return false; }

// The last step: a line that got this far is a program line.
void plainLine(Run& run) {
  if (pioBlockLine(run)) return;
  run.state.lineBuffer += u"\r\n";
  run.emitter.flushLineBuffer();
}

}  // namespace

void processMainLine(Run& run) {
  RunState& state = run.state;
  handleFlagDirectives(run);                                                      // 4
  pioDirectives(run);                                                             // 5
  if (pre::handleReplaceLine(run.replacements, state, run.emitter, false)) return;  // 6
  pre::noteBlockCommentStart(state);                                              // 7
  pre::handleConditionalLine(run.conditionals, state.lineBuffer,
                             pre::ConditionalRules::mainSource);                  // 11
  if (state.inBlockComment) {                                                     // 13
    pre::commentBlockLine(state, run.emitter);
    return;
  }
  plainLine(run);                                                                 // 14
}

}  // namespace app
