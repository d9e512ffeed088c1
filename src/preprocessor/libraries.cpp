#include "preprocessor/libraries.h"

#include "base/fatal_error.h"
#include "base/logs.h"
#include "platform/pending_file.h"
#include "preprocessor/emitter.h"
#include "preprocessor/reading.h"
#include "preprocessor/source_guard.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/utf8.h"

namespace pre {
namespace {

// The first row of the table whose keyword the line is a directive of.
const LibraryDirective* matchingDirective(std::u16string_view line, bool inHeaderFile) {
  for (const LibraryDirective& directive : kLibraryDirectives) {
    if (inHeaderFile && !directive.inHeaderFile) continue;
    if (text::isDirective(line, directive.keyword)) return &directive;
  }
  return nullptr;
}

void logDirective(base::Logs& logs, const LibraryDirective& directive, std::u16string_view where,
                  const std::u16string& line) {
  if (!directive.logged) return;
  logs.logLine(u"Directive " + std::u16string(directive.keyword) + std::u16string(where) + line);
}

// A load of sections of the given kind starts: the output so far goes, but
// for the kept target line.
void startLoad(LibraryState& library, LibraryKind load, Emitter& emitter) {
  library.libraryLoad = load;
  emitter.restartOutput();
}

// The plain load names its ".lib" file; its output is emptied only at the
// first section.
void startNamedLoad(LibraryState& library, std::u16string_view lineBuffer) {
  library.libraryLoad = LibraryKind::plain;
  std::u16string name(text::trimBlanks(text::field(text::normaliseBlanks(lineBuffer), 2)));
  if (name.empty()) return;
  if (!text::containsNoCase(name, u".lib")) name += u".lib";
  library.libraryPending = true;
  library.libraryFileName = std::move(name);
}

void endSection(LibraryState& library, Reading& reading, const SourceGuard& guard) {
  reading.librarySection = LibraryKind::none;
  if (!library.libraryPending) return;
  guard.refuseToOverwrite(library.libraryFileName);
  // A library that is not saved would leave a stale one in its place, with
  // nothing to say so.
  if (!platform::PendingFile(library.libraryFileName).commit(text::encodeUtf8(library.libraryText))) {
    base::failedToCreate(library.libraryFileName);
  }
  library.libraryText.clear();
  library.libraryPending = false;
  library.libraryLoad = LibraryKind::plain;
}

// The first #LIBRARYSTART of the run, in a block comment or not: with a load,
// everything before the first section is not library.
void noteFirstSection(LibraryState& library, Emitter& emitter) {
  if (library.libraryStartSeen) return;
  library.libraryStartSeen = true;
  if (library.libraryLoad == LibraryKind::plain) emitter.restartOutput();
}

}  // namespace

bool handleLibraryDirective(LibraryState& library, Reading& reading, std::u16string& lineBuffer,
                            Emitter& emitter, base::Logs& logs, const SourceGuard& guard) {
  const LibraryDirective* directive = matchingDirective(lineBuffer, false);
  if (!directive) return false;
  if (directive->action == LibraryAction::start && directive->kind == LibraryKind::plain) {
    noteFirstSection(library, emitter);
  }
  if (!reading.inBlockComment) {
    logDirective(logs, *directive, u" found:", lineBuffer);
    switch (directive->action) {
      case LibraryAction::load:
        directive->kind == LibraryKind::plain ? startNamedLoad(library, lineBuffer)
                                              : startLoad(library, directive->kind, emitter);
        break;
      case LibraryAction::start: reading.librarySection = directive->kind; break;
      case LibraryAction::end: endSection(library, reading, guard); break;
    }
  }
  lineBuffer.clear();
  return true;
}

void handleHeaderLibraryDirective(LibraryState& library, Reading& reading, const std::u16string& line,
                                  Emitter& emitter, base::Logs& logs) {
  if (reading.inBlockComment) return;
  // A header file knows no second numbered kind: "#LIBRARYLOAD2" is a plain
  // load there, the keyword's prefix being #LIBRARYLOAD.
  const LibraryDirective* directive = matchingDirective(line, true);
  if (!directive) return;
  logDirective(logs, *directive, u" found in INCLUDE:", line);
  if (directive->action == LibraryAction::load) startLoad(library, directive->kind, emitter);
  if (directive->action == LibraryAction::start) reading.librarySection = directive->kind;
}

bool passesLibraryFilter(LibraryState& library, LibraryKind section, const std::u16string& lineBuffer,
                         bool libraryIgnore, Emitter& emitter) {
  if (library.libraryLoad != LibraryKind::none) {
    if (section == library.libraryLoad) {
      const std::u16string collected = lineBuffer + text::kCrLf;
      emitter.appendDirect(collected);
      library.libraryText += collected;
    }
    return false;
  }
  return section == LibraryKind::none || (section == LibraryKind::plain && libraryIgnore);
}

bool includeAllowed(const LibraryState& library, LibraryKind section, bool libraryIgnore) {
  return section == library.libraryLoad || (section == LibraryKind::plain && libraryIgnore);
}

bool headerLineAllowed(const LibraryState& library, LibraryKind section) {
  return section == LibraryKind::none ||
         (section == LibraryKind::one && library.libraryLoad == LibraryKind::one);
}

}  // namespace pre
