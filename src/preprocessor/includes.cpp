#include "preprocessor/includes.h"

#include "base/fatal_error.h"
#include "base/logs.h"
#include "base/source_location.h"
#include "platform/files.h"
#include "preprocessor/conditionals.h"
#include "preprocessor/directive_line.h"
#include "preprocessor/emitter.h"
#include "preprocessor/libraries.h"
#include "preprocessor/line_state.h"
#include "preprocessor/option_directives.h"
#include "preprocessor/program_file.h"
#include "preprocessor/reading.h"
#include "preprocessor/target_options.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/numbers.h"
#include "text/quotes.h"
#include "text/utf8.h"

namespace pre {
namespace {

// The run log shows each kind by its number.
int64_t logNumber(LibraryKind kind) { return static_cast<int64_t>(kind); }

void logIncludeState(IncludeContext& c) {
  c.logs.logLine(u"FOUND INCLUDE nolibrary:" + text::decimal(c.options.libraryIgnore) +
                 u"  Inlibrary:" + text::decimal(logNumber(c.reading.librarySection)) + u" LoadLibrary:" +
                 text::decimal(logNumber(c.library.libraryLoad)));
}

// Relative names resolve against the source's folder, whatever folder the
// tool was started in. A source path without a folder part gives nothing to
// resolve against, so nothing is read rather than the wrong file.
std::optional<std::string> readFromSourceFolder(const SourceFolders& folders,
                                                const std::u16string& includePath) {
  if (folders.sourceFolder.empty()) return std::nullopt;
  return readProgramFile(platform::pathInFolder(folders.sourceFolder, includePath));
}

struct IncludedFile {
  std::u16string path;
  std::vector<std::u16string> lines;
};

IncludedFile readIncludeFile(IncludeContext& c, const std::u16string& includeName) {
  const SourceFolders& folders = c.folders;
  const std::u16string name = text::withoutQuotes(includeName);
  const std::u16string includePath = name.starts_with(u".") ? folders.sourceFolder + name : name;
  auto bytes = readFromSourceFolder(folders, includePath);
  if (!bytes) {
    base::fail(u"A file referenced by an #INCLUDE directive cannot be found\r\nFile Not FOUND-> " +
               includePath + u"\r\npassed path: " + folders.sourceFolder +
               u"\r\n#INCLUDE parameter-> " + name);
  }
  return {platform::pathInFolder(folders.sourceFolder, includePath), text::splitLines(text::decodeUtf8(*bytes))};
}

// A report made while an included line is under way names that line; a
// failure leaves it so, since nothing after it reads on.
void emitIncludedLines(IncludeContext& c, const IncludedFile& file, bool header) {
  std::u16string& buffer = c.line.lineBuffer;
  const base::SourceLocation includeLine = c.where;
  c.where = {file.path, 0};
  for (const auto& line : file.lines) {
    ++c.where.line;
    buffer = line;
    if (header) {
      processIncludedLine(c);
    } else {
      buffer += text::kCrLf;
    }
    c.emitter.flushLineBuffer();
  }
  c.where = includeLine;
  buffer.clear();
}

}  // namespace

bool handleIncludeLine(IncludeContext& c) {
  std::u16string& buffer = c.line.lineBuffer;
  const std::u16string_view keyword = text::directiveKeyword(buffer, kIncludeKeywords);
  if (keyword.empty()) return false;
  const bool header = keyword == kHeaderFileKeyword;
  const std::u16string includeName =
      header ? u"header.inc" : std::u16string(text::field(text::normaliseBlanks(buffer), 2));
  logIncludeState(c);
  if (!includeAllowed(c.library, c.reading.librarySection, c.options.libraryIgnore)) return true;
  c.logs.logLine(u"INCLUDED INCLUDES " + buffer);
  if (c.options.passIncludes) {
    buffer += u"XXX\r\n";
    c.emitter.flushLineBuffer();
    buffer.clear();
    return true;
  }
  const IncludedFile file = readIncludeFile(c, includeName);
  buffer = u"'-------------*** Included " + includeName + u" ***-----------\r\n\r\n";
  c.emitter.flushLineBuffer();
  emitIncludedLines(c, file, header);
  return true;
}

void processIncludedLine(IncludeContext& c) {
  std::u16string& line = c.line.lineBuffer;
  c.logs.logLine(u"Called ProcessIncludedLine:" + line);
  const ConditionalLevels& levels = c.reading.levels;
  c.logs.logLine((levels.currentActive() ? u"Inside Define Level @ " : u"Outside Define Level @ ") +
                 text::decimal(levels.level()) + u" " + line);
  handleConditionalLine(c.symbols, c.reading.levels, line, ConditionalRules::headerFile);
  if (levels.currentActive()) handleTargetLine(c.line, c.reading.sourceLineNumber, c.target);
  if (text::isDirective(line, u"#TESTNAME")) {
    line = u"Dim ut.thisfile$=\"" + text::lower(c.folders.testName) + u".bas\"\r\n";
  }
  if (handleLibraryIgnoreLine(line, c.options)) {
    c.logs.logLine(u"Directive #LIBRARYIGNORE found in include");
  }
  handleHeaderLibraryDirective(c.library, c.reading, line, c.emitter, c.logs);
  if (text::isDirective(line, kDebugKeyword)) c.logs.logLine(u"Directive  #DEBUG found in INCLUDE:" + line);
  handleDebugLine(line, c.logs);
  if (levels.currentActive() && headerLineAllowed(c.library, c.reading.librarySection)) {
    line = std::u16string(text::trimLeadingBlanks(line)) + text::kCrLf;
  }
}

}  // namespace pre
