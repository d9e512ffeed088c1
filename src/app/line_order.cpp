#include "app/line_order.h"

#include "app/flag_directives.h"
#include "app/read_loop.h"
#include "app/run.h"
#include "delivery/target_options.h"
#include "preprocessor/block_comments.h"
#include "preprocessor/includes.h"
#include "text/blanks.h"

namespace app {
namespace {

// Step 5: #PASMCFG, then the two block directives, each on the line the
// previous test left.
void pioDirectives(Run& run) {
  std::u16string& line = run.state.lineBuffer;
  if (text::isDirective(line, u"#PASMCFG")) {
    run.pio.readOptions(line);
    line.clear();
  }
  if (text::isDirective(line, u"#PIOSTART")) {
    run.pio.startBlock(run.state.secondReading);
    line.clear();
  }
  if (text::isDirective(line, u"#PIOEND")) {
    line = run.pio.endBlock(run.state.secondReading, run.state.pioCheckMode);
  }
}

// Step 8.
void includes(Run& run) {
  pre::IncludeContext context{run.state, run.emitter, run.conditionals, run.library, run.files,
                              [&run] { run.files.openRunLog(); }};
  pre::handleIncludeLine(context);
}

// Step 10: a target line counts only where the program is kept.
void targetLine(Run& run) {
  if (run.conditionals.currentActive()) delivery::handleTargetLine(run.state);
}

// Step 12: the first #ESP_CLIPBOARD starts the reading again, so the output
// so far goes and the line itself opens the new output.
void targetOptions(Run& run) {
  delivery::handleTargetOptions(run.state);
  if (run.state.restartReading) startReadingAgain(run);
}

// Step 14 inside a PIO block: the line feeds the assembler instead of the
// output (the second reading keeps it as a comment line).
void pioBlockLine(Run& run) {
  RunState& state = run.state;
  const std::u16string line = state.lineBuffer;
  state.lineBuffer.clear();
  if (!run.conditionals.currentActive()) return;
  if (!state.secondReading) {
    state.pioBlockSeen = true;
    run.pio.firstPassLine(line);
    return;
  }
  run.pio.secondPassLine(line, state.pioCheckMode);
  state.lineBuffer = u"'" + line + u"\r\n";
  run.emitter.flushLineBuffer();
}

// Step 13 inside a block comment: inserted text is commented line by line.
void blockCommentLine(Run& run) {
  RunState& state = run.state;
  if (!state.insertedText) {
    pre::commentBlockLine(state, run.emitter);
    return;
  }
  std::u16string commented;
  for (size_t start = 0, end; (end = state.lineBuffer.find(u"\r\n", start)) != std::u16string::npos;
       start = end + 2) {
    commented += u"'" + state.lineBuffer.substr(start, end + 2 - start);
  }
  state.lineBuffer = std::move(commented);
  run.emitter.flushLineBuffer();
}

// Steps 13 and 14.
void libraryAndProgramLine(Run& run) {
  RunState& state = run.state;
  if (!state.insertedText &&
      pre::handleLibraryDirective(run.library, state, run.emitter, run.files)) {
    return;
  }
  if (state.inBlockComment) {
    blockCommentLine(run);
    return;
  }
  if (!pre::passesLibraryFilter(run.library, state, run.emitter)) return;
  if (run.pio.inBlock()) {
    pioBlockLine(run);
    return;
  }
  state.lineBuffer += u"\r\n";
  run.emitter.flushLineBuffer();
}

// Steps 4 to 12 read directives; false when the #REPLACE step took the line.
bool directiveSteps(Run& run) {
  RunState& state = run.state;
  handleFlagDirectives(run);                                                            // 4
  pioDirectives(run);                                                                   // 5
  if (pre::handleReplaceLine(run.replacements, state, run.emitter,
                             run.library.libraryLoad != 0)) {                           // 6
    return false;
  }
  pre::noteBlockCommentStart(state);                                                    // 7
  includes(run);                                                                        // 8
  state.insertedText = run.arrays.handleLine(state.lineBuffer, run.host);               // 9
  if (state.insertedText) return true;
  targetLine(run);                                                                      // 10
  pre::handleConditionalLine(run.conditionals, state.lineBuffer,
                             pre::ConditionalRules::mainSource);                        // 11
  targetOptions(run);                                                                   // 12
  return true;
}

}  // namespace

void processMainLine(Run& run) {
  RunState& state = run.state;
  state.insertedText = false;
  if (pre::isEndCodeLine(state.lineBuffer)) {                                           // 1
    state.endCodeSeen = true;
    return;
  }
  pre::handleCodeBaseLine(state.lineBuffer, state.codeBase);                            // 2
  state.insertedText =
      pre::handleCodeModuleLine(state.lineBuffer, state.codeBase, run.codeBaseFiles);   // 3
  // Inserted program text is not read for directives.
  if (!state.insertedText && !directiveSteps(run)) return;
  libraryAndProgramLine(run);                                                           // 13, 14
}

}  // namespace app
