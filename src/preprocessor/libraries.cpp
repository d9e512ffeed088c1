#include "preprocessor/libraries.h"

#include "base/logs.h"
#include "platform/pending_file.h"
#include "preprocessor/emitter.h"
#include "preprocessor/line_state.h"
#include "preprocessor/source_guard.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/lines.h"
#include "text/utf8.h"

namespace pre {
namespace {

void takeFileName(LibraryState& library, std::u16string_view lineBuffer) {
  std::u16string name(text::trimBlanks(text::field(text::normaliseBlanks(lineBuffer), 2)));
  if (name.empty()) return;
  if (!text::containsNoCase(name, u".lib")) name += u".lib";
  library.libraryPending = true;
  library.libraryFileName = std::move(name);
}

void endSection(LibraryState& library, const SourceGuard& guard) {
  library.librarySection = 0;
  if (!library.libraryPending) return;
  guard.refuseToOverwrite(library.libraryFileName);
  // A library file that cannot be written is not reported; its text stays
  // collected for the next named load.
  if (platform::PendingFile(library.libraryFileName).commit(text::encodeUtf8(library.libraryText))) {
    library.libraryText.clear();
  }
  library.libraryPending = false;
  library.libraryLoad = 1;
}

// The first #LIBRARYSTART of the run, in a block comment or not: with a load,
// everything before the first section is not library.
void noteFirstSection(LibraryState& library, Emitter& emitter) {
  if (library.libraryStartSeen) return;
  library.libraryStartSeen = true;
  if (library.libraryLoad == 1) emitter.restartOutput();
}

}  // namespace

void startLibraryLoad(LibraryState& library, int load, Emitter& emitter) {
  library.libraryLoad = load;
  emitter.restartOutput();
}

void startLibrarySection(LibraryState& library, int section) { library.librarySection = section; }

bool handleLibraryDirective(LibraryState& library, LineState& line, Emitter& emitter,
                            base::Logs& logs, const SourceGuard& guard) {
  const std::u16string& text = line.lineBuffer;
  if (!text::isDirective(text, u"#LIBRARY")) return false;  // one test for the seven
  const bool active = !line.inBlockComment;
  if (text::isDirective(text, u"#LIBRARYLOAD2")) {
    if (active) startLibraryLoad(library, 3, emitter);
  } else if (text::isDirective(text, u"#LIBRARYLOAD1")) {
    if (active) {
      logs.logLine(u"Directive #LIBRARYLOAD1 found:" + text);
      startLibraryLoad(library, 2, emitter);
    }
  } else if (text::isDirective(text, u"#LIBRARYLOAD")) {
    if (active) {
      library.libraryLoad = 1;
      takeFileName(library, text);
    }
  } else if (text::isDirective(text, u"#LIBRARYSTART2")) {
    if (active) startLibrarySection(library, 3);
  } else if (text::isDirective(text, u"#LIBRARYSTART1")) {
    if (active) {
      logs.logLine(u"Directive #LIBRARYSTART1 found:" + text);
      startLibrarySection(library, 2);
    }
  } else if (text::isDirective(text, u"#LIBRARYSTART")) {
    noteFirstSection(library, emitter);
    if (active) startLibrarySection(library, 1);
  } else if (text::isDirective(text, u"#LIBRARYEND")) {
    if (active) endSection(library, guard);
  } else {
    return false;
  }
  line.lineBuffer.clear();
  return true;
}

bool passesLibraryFilter(LibraryState& library, const std::u16string& lineBuffer,
                         bool libraryIgnore, Emitter& emitter) {
  if (library.libraryLoad != 0) {
    if (library.librarySection == library.libraryLoad) {
      const std::u16string collected = lineBuffer + text::kCrLf;
      emitter.appendDirect(collected);
      library.libraryText += collected;
    }
    return false;
  }
  return library.librarySection == 0 || (library.librarySection == 1 && libraryIgnore);
}

bool includeAllowed(const LibraryState& library, bool libraryIgnore) {
  const int section = library.librarySection;
  const int load = library.libraryLoad;
  return (section == 0 && load == 0) || (section == 1 && (load == 1 || libraryIgnore)) ||
         (section == 2 && load == 2) || (section == 3 && load == 3);
}

}  // namespace pre
