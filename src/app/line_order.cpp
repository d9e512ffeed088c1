#include "app/line_order.h"

#include "app/read_loop.h"
#include "app/run.h"
#include "preprocessor/block_comments.h"
#include "preprocessor/includes.h"
#include "preprocessor/option_directives.h"
#include "preprocessor/target_options.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"

// Every line of the main source passes the stages below in this order; each
// sees the line as the earlier ones left it. A handled directive line is
// usually a comment line afterwards, so no later stage matches it.

namespace app {
namespace {

// How a line moves on after a stage.
enum class Flow {
  next,
  /// The line now holds inserted program text (a code module, a generated
  /// file, a PIO block's generated commands): the remaining directive stages
  /// leave it alone.
  programText,
  /// The line is used up.
  done,
  /// The line holds no directive and no line end of its own.
  plain,
};

// #CODEBASE names the code-base folder; #CODEMODULE puts a module's text in
// place of the line.
Flow codeModules(Run& run) {
  std::u16string& buffer = run.state.line.lineBuffer;
  pre::handleCodeBaseLine(buffer, run.state.codeBase);
  return pre::handleCodeModuleLine(buffer, run.state.codeBase, run.codeBaseFiles) ? Flow::programText
                                                                                 : Flow::next;
}

// #PASMCFG, then the two block directives, each on the line the previous test
// left. True when the line now holds a block's generated text, which is
// program text for the later stages.
bool pioDirectives(Run& run) {
  RunState& state = run.state;
  std::u16string& buffer = state.line.lineBuffer;
  if (text::isDirective(buffer, u"#PASMCFG")) {
    run.pio.readOptions(buffer);
    buffer.clear();
  }
  if (text::isDirective(buffer, u"#PIOSTART")) {
    run.pio.startBlock(state.secondReading ? pio::Reading::second : pio::Reading::first);
    buffer.clear();
  }
  if (!text::isDirective(buffer, u"#PIOEND")) return false;
  buffer = run.pio.endBlock(state.secondReading ? pio::Reading::second : pio::Reading::first, state.settings.mode);
  return state.secondReading;
}

bool replaceLine(Run& run) {
  // In a PIO block only a line that starts with the keyword is one: elsewhere
  // the word is the assembler's text, a comment mostly.
  if (run.pio.inBlock() && !text::isDirective(run.state.line.lineBuffer, u"#REPLACE")) return false;
  return pre::handleReplaceLine(run.replacements, run.state.line.lineBuffer, run.state.target.espOption,
                                run.emitter, run.library.libraryLoad != 0);
}

void includeFiles(Run& run) {
  RunState& state = run.state;
  pre::IncludeContext context{state.line,    run.emitter,  run.conditionals,
                              run.library,   state.options, state.target,
                              state.settings.folders,       run.files};
  pre::handleIncludeLine(context);
}

// A target line counts only where the program is kept.
void targetLine(Run& run) {
  if (run.conditionals.currentActive()) pre::handleTargetLine(run.state.line, run.state.target);
}

// The first #ESP_CLIPBOARD empties the output at once, so the line itself
// opens the new output; the reading then starts again.
bool targetOptions(Run& run) {
  if (!pre::handleTargetOptions(run.state.line.lineBuffer, run.state.target)) return false;
  startReadingAgain(run);
  return true;
}

// The stages between the code modules and the library stage.
Flow directiveStages(Run& run, LineOutcome& outcome) {
  RunState& state = run.state;
  pre::handleOptionDirectives(state.line.lineBuffer, state.options, run.files);
  if (pioDirectives(run)) return Flow::programText;
  if (replaceLine(run)) return Flow::done;
  // Inside a PIO block "/*" ... "*/" is the assembler's own comment.
  if (!run.pio.inBlock()) pre::noteBlockCommentStart(state.line);
  includeFiles(run);
  if (run.arrays.handleLine(state.line.lineBuffer, run.host)) return Flow::programText;
  targetLine(run);
  pre::handleConditionalLine(run.conditionals, state.line.lineBuffer,
                             pre::ConditionalRules::mainSource);
  if (targetOptions(run)) outcome = LineOutcome::restartReading;
  return Flow::next;
}

// Inside a PIO block the line feeds the assembler instead of the output (the
// second reading keeps it as a comment line).
void pioBlockLine(Run& run) {
  RunState& state = run.state;
  const std::u16string line = std::move(state.line.lineBuffer);
  state.line.lineBuffer.clear();
  if (!run.conditionals.currentActive()) return;
  if (!state.secondReading) {
    state.pioBlockSeen = true;
    run.pio.firstPassLine(line);
    return;
  }
  run.pio.secondPassLine(line, state.settings.mode == base::RunMode::pioCheck,
                         {state.settings.sourcePath, state.line.sourceLineNumber});
  state.line.lineBuffer = u"'" + line + text::kCrLf;
  run.emitter.flushLineBuffer();
}

// The library directives, block comments, the library filter, and last the
// PIO block line or the plain program line.
void libraryOrProgramLine(Run& run, Flow flow) {
  RunState& state = run.state;
  const bool programText = flow == Flow::programText;
  if (flow == Flow::next &&
      pre::handleLibraryDirective(run.library, state.line, run.emitter, run.files, run.sourceGuard)) {
    return;
  }
  if (state.line.inBlockComment) {
    programText ? pre::commentInsertedText(state.line, run.emitter)
                : pre::commentBlockLine(state.line, run.emitter);
    return;
  }
  if (!pre::passesLibraryFilter(run.library, state.line.lineBuffer, state.options.libraryIgnore,
                                run.emitter)) {
    return;
  }
  if (run.pio.inBlock()) {
    pioBlockLine(run);
    return;
  }
  state.line.lineBuffer += text::kCrLf;
  if (flow != Flow::plain) {
    run.emitter.flushLineBuffer();
    return;
  }
  run.emitter.emitLine(state.line.lineBuffer);
  state.line.lineBuffer.clear();
}

// Every directive begins with "#" or is a "/*" line or a target line (which
// holds "'target"); only inside an array block is every line read. Most lines
// are none of these, and go straight to the library and program stage.
bool mayHoldDirective(const Run& run) {
  std::u16string_view line = run.state.line.lineBuffer;
  if (run.arrays.blockOpen() || text::trimLeadingBlanks(line).starts_with(u"/*")) return true;
  for (size_t i = 0; (i = text::findEither(line, u'#', u'\'', i)) < line.size(); ++i) {
    if (line[i] == u'#' || text::startsWithNoCase(line.substr(i + 1), u"target")) return true;
  }
  return false;
}

}  // namespace

LineOutcome processMainLine(Run& run) {
  if (!mayHoldDirective(run)) {
    libraryOrProgramLine(run, Flow::plain);
    return LineOutcome::goOn;
  }
  if (pre::isEndCodeLine(run.state.line.lineBuffer)) return LineOutcome::stopReading;
  LineOutcome outcome = LineOutcome::goOn;
  Flow flow = codeModules(run);
  if (flow == Flow::next) flow = directiveStages(run, outcome);
  if (flow != Flow::done) libraryOrProgramLine(run, flow);
  return outcome;
}

}  // namespace app
