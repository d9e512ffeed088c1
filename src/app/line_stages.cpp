#include "app/line_stages.h"

#include "app/run.h"
#include "preprocessor/block_comments.h"
#include "preprocessor/code_modules.h"
#include "preprocessor/includes.h"
#include "preprocessor/option_directives.h"
#include "preprocessor/target_options.h"
#include "text/blanks.h"
#include "text/lines.h"

namespace app {

bool stopAtEndCode(Run&, Held) { return true; }

bool codeBaseFolder(Run& run, Held) {
  return pre::handleCodeBaseLine(run.state.line.lineBuffer, run.state.codeBase);
}

bool codeModule(Run& run, Held) {
  return pre::handleCodeModuleLine(run.state.line.lineBuffer, run.state.codeBase, run.codeBaseFiles);
}

bool sourceOptions(Run& run, Held) {
  pre::handleOptionDirectives(run.state.line.lineBuffer, run.state.options, run.files);
  return true;
}

// The only calls that start and end a PIO block, so their form changes here alone.
bool pioDirectives(Run& run, Held) {
  RunState& state = run.state;
  std::u16string& buffer = state.line.lineBuffer;
  const std::u16string_view keyword = text::directiveKeyword(buffer, kPioKeywords);
  const pio::Reading reading = state.secondReading ? pio::Reading::second : pio::Reading::first;
  if (keyword == kPioEndKeyword) {
    buffer = run.pio.endBlock(reading, state.settings.mode);
    return state.secondReading;
  }
  if (keyword == kPasmCfgKeyword) run.pio.readOptions(buffer);
  if (keyword == kPioStartKeyword) run.pio.startBlock(reading);
  if (!keyword.empty()) buffer.clear();
  return false;
}

bool replacePair(Run& run, Held) {
  // In a PIO block only a line that starts with the keyword is one: elsewhere
  // the word is the assembler's text, a comment mostly.
  if (run.pio.inBlock() && !text::isDirective(run.state.line.lineBuffer, pre::kReplaceKeywords)) return false;
  return pre::handleReplaceLine(run.reading.replacements, run.state.line.lineBuffer, run.state.target,
                                run.library.libraryLoad, run.emitter);
}

// Inside a PIO block "/*" ... "*/" is the assembler's own comment.
bool blockCommentStart(Run& run, Held) {
  if (!run.pio.inBlock()) pre::noteBlockCommentStart(run.state.line.lineBuffer, run.reading.inBlockComment);
  return true;
}

bool includeFile(Run& run, Held) {
  RunState& state = run.state;
  pre::IncludeContext context{state.line,   run.emitter,           run.symbols, run.reading,
                              run.library,  state.options,         state.target, state.settings.folders,
                              run.files,    run.where};
  return pre::handleIncludeLine(context);
}

bool inArrayBlock(const Run& run) { return run.reading.inArrayBlock; }

bool arrayBlock(Run& run, Held) {
  return run.arrays.handleLine(run.state.line.lineBuffer, run.reading.inArrayBlock, run.host);
}

// A target line counts only where the program is kept.
bool targetLine(Run& run, Held) {
  return run.reading.levels.currentActive() &&
         pre::handleTargetLine(run.state.line, run.reading.sourceLineNumber, run.state.target);
}

bool conditional(Run& run, Held) {
  return pre::handleConditionalLine(run.symbols, run.reading.levels, run.state.line.lineBuffer,
                                    pre::ConditionalRules::mainSource);
}

// The first #ESP_CLIPBOARD empties the output at once, so the line itself
// opens the new output.
bool targetOptions(Run& run, Held) {
  return pre::handleTargetOptions(run.state.line.lineBuffer, run.state.target);
}

bool libraryDirective(Run& run, Held) {
  return pre::handleLibraryDirective(run.library, run.reading, run.state.line.lineBuffer, run.emitter,
                                     run.files, run.sourceGuard);
}

bool inBlockComment(const Run& run) { return run.reading.inBlockComment; }

bool blockCommentLine(Run& run, Held held) {
  if (held == Held::programText) {
    pre::commentInsertedText(run.state.line, run.emitter);
  } else {
    pre::commentBlockLine(run.state.line, run.reading.inBlockComment, run.emitter);
  }
  return true;
}

bool libraryFilter(Run& run, Held) {
  return !pre::passesLibraryFilter(run.library, run.reading.librarySection, run.state.line.lineBuffer,
                                   run.state.options.libraryIgnore, run.emitter);
}

bool inPioBlock(const Run& run) { return run.pio.inBlock(); }

// Inside a PIO block the line feeds the assembler instead of the output (the
// second reading keeps it as a comment line).
bool pioBlockLine(Run& run, Held) {
  RunState& state = run.state;
  const std::u16string line = std::move(state.line.lineBuffer);
  state.line.lineBuffer.clear();
  if (!run.reading.levels.currentActive()) return true;
  if (!state.secondReading) {
    state.pioBlockSeen = true;
    run.pio.firstPassLine(line);
    return true;
  }
  run.pio.secondPassLine(line, state.settings.mode == base::RunMode::pioCheck, {run.where.file, run.where.line});
  state.line.lineBuffer = u"'" + line + text::kCrLf;
  run.emitter.flushLineBuffer();
  return true;
}

bool programLine(Run& run, Held held) {
  std::u16string& buffer = run.state.line.lineBuffer;
  buffer += text::kCrLf;
  if (held != Held::plainLine) {
    run.emitter.flushLineBuffer();
    return true;
  }
  run.emitter.emitLine(buffer);
  buffer.clear();
  return true;
}

}  // namespace app
