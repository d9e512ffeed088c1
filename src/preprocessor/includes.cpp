#include "preprocessor/includes.h"

#include "app/run_state.h"
#include "delivery/target_options.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "preprocessor/conditionals.h"
#include "preprocessor/directive_line.h"
#include "preprocessor/emitter.h"
#include "preprocessor/libraries.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/numbers.h"
#include "text/utf8.h"
#include "base/fatal_error.h"
#include "base/logs.h"

namespace pre {
namespace {

std::u16string withoutQuotes(std::u16string_view name) {
  std::u16string out(name);
  std::erase(out, u'"');
  return out;
}

void logIncludeState(IncludeContext& c) {
  c.logs.logLine(u"FOUND INCLUDE nolibrary:" + text::decimal(c.state.libraryIgnore) + u"  Inlibrary:" +
                 text::decimal(c.library.librarySection) + u" LoadLibrary:" +
                 text::decimal(c.library.libraryLoad));
}

std::vector<std::u16string> readIncludeFile(IncludeContext& c, const std::u16string& includeName) {
  app::RunState& state = c.state;
  const std::u16string name = withoutQuotes(includeName);
  const std::u16string includePath = name.starts_with(u".") ? state.sourceFolder + name : name;
  // Relative names resolve against the source's folder while it is read.
  platform::setCurrentFolder(state.sourceFolder);
  auto bytes = platform::readFileBytes(includePath);
  platform::setCurrentFolder(state.startFolder);
  if (!bytes) {
    base::fail(u"A file referenced by an #INCLUDE directive cannot be found\r\nFile Not FOUND-> " +
             includePath + u"\r\npassed path: " + state.sourceFolder + u"\r\n#INCLUDE parameter-> " +
             name);
  }
  return text::splitLines(text::decodeUtf8(*bytes));
}

void emitIncludedLines(IncludeContext& c, const std::vector<std::u16string>& lines, bool header) {
  std::u16string& buffer = c.state.lineBuffer;
  for (const auto& line : lines) {
    buffer = line;
    if (header) {
      processIncludedLine(c);
    } else {
      buffer += u"\r\n";
    }
    c.emitter.flushLineBuffer();
  }
  buffer.clear();
}

}  // namespace

bool handleIncludeLine(IncludeContext& c) {
  app::RunState& state = c.state;
  const bool header = text::isDirective(state.lineBuffer, u"#SPTEST");
  if (!header && !text::isDirective(state.lineBuffer, u"#INCLUDE")) return false;
  const std::u16string includeName =
      header ? u"header.inc" : std::u16string(text::field(text::normaliseBlanks(state.lineBuffer), 2));
  logIncludeState(c);
  if (!includeAllowed(c.library, state.libraryIgnore)) return true;
  c.logs.logLine(u"INCLUDED INCLUDES " + state.lineBuffer);
  if (state.passIncludes) {
    state.lineBuffer += u"XXX\r\n";
    c.emitter.flushLineBuffer();
    state.lineBuffer.clear();
    return true;
  }
  const auto lines = readIncludeFile(c, includeName);
  state.lineBuffer = u"'-------------*** Included " + includeName + u" ***-----------\r\n\r\n";
  c.emitter.flushLineBuffer();
  emitIncludedLines(c, lines, header);
  return true;
}

void processIncludedLine(IncludeContext& c) {
  app::RunState& state = c.state;
  std::u16string& line = state.lineBuffer;
  c.logs.logLine(u"Called ProcessIncludedLine:" + line);
  c.logs.logLine((c.conditionals.currentActive() ? u"Inside Define Level @ " : u"Outside Define Level @ ") +
                 text::decimal(c.conditionals.level()) + u" " + line);
  handleConditionalLine(c.conditionals, line, ConditionalRules::headerFile);
  if (c.conditionals.currentActive()) delivery::handleTargetLine(state);
  if (text::isDirective(line, u"#TESTNAME")) {
    line = u"Dim ut.thisfile$=\"" + text::lower(state.testName) + u".bas\"\r\n";
  }
  if (text::isDirective(line, u"#LIBRARYIGNORE")) {
    commentOut(line);
    c.logs.logLine(u"Directive #LIBRARYIGNORE found in include");
    state.libraryIgnore = true;
  }
  if (!state.inBlockComment && text::isDirective(line, u"#LIBRARYLOAD")) {
    c.library.libraryLoad = 1;
    c.emitter.restartOutput();
  }
  if (!state.inBlockComment && text::isDirective(line, u"#LIBRARYLOAD1")) {
    c.logs.logLine(u"Directive #LIBRARYLOAD1 found in INCLUDE:" + line);
    c.library.libraryLoad = 2;
    c.emitter.restartOutput();
  }
  if (!state.inBlockComment && text::isDirective(line, u"#LIBRARYSTART1")) {
    c.logs.logLine(u"Directive #LIBRARYSTART1 found in INCLUDE:" + line);
    c.library.librarySection = 2;
  }
  if (text::isDirective(line, u"#DEBUG")) {
    c.logs.logLine(u"Directive  #DEBUG found in INCLUDE:" + line);
    commentOut(line);
    if (!state.debugLog) {
      c.openRunLog();
      state.debugLog = true;
    }
  }
  const bool outputAllowed = c.library.librarySection == 0 ||
                             (c.library.libraryLoad == 2 && c.library.librarySection == 2);
  if (c.conditionals.currentActive() && outputAllowed) {
    line = std::u16string(text::trimLeadingBlanks(line)) + u"\r\n";
  }
}

}  // namespace pre
