#include "preprocessor/libraries.h"

#include "app/run_state.h"
#include "platform/pending_file.h"
#include "preprocessor/emitter.h"
#include "text/blanks.h"
#include "text/case_table.h"
#include "text/utf8.h"
#include "base/logs.h"

namespace pre {
namespace {

void startLoad(LibraryState& library, int load, Emitter& emitter) {
  library.libraryLoad = load;
  emitter.restartOutput();
}

void takeFileName(LibraryState& library, std::u16string_view lineBuffer) {
  std::u16string name(text::trimBlanks(text::field(text::normaliseBlanks(lineBuffer), 2)));
  if (name.empty()) return;
  if (!text::containsNoCase(name, u".lib")) name += u".lib";
  library.libraryPending = true;
  library.libraryFileName = std::move(name);
}

void endSection(LibraryState& library) {
  library.librarySection = 0;
  if (!library.libraryPending) return;
  // A library file that cannot be written is not reported; its text stays
  // collected for the next named load.
  if (platform::PendingFile(library.libraryFileName).commit(text::encodeUtf8(library.libraryText))) {
    library.libraryText.clear();
  }
  library.libraryPending = false;
  library.libraryLoad = 1;
}

}  // namespace

bool handleLibraryDirective(LibraryState& library, app::RunState& state, Emitter& emitter,
                            base::Logs& logs) {
  const std::u16string& line = state.lineBuffer;
  const bool active = !state.inBlockComment;
  if (text::isDirective(line, u"#LIBRARYLOAD2")) {
    if (active) startLoad(library, 3, emitter);
  } else if (text::isDirective(line, u"#LIBRARYLOAD1")) {
    if (active) {
      logs.logLine(u"Directive #LIBRARYLOAD1 found:" + line);
      startLoad(library, 2, emitter);
    }
  } else if (text::isDirective(line, u"#LIBRARYLOAD")) {
    if (active) {
      library.libraryLoad = 1;
      takeFileName(library, line);
    }
  } else if (text::isDirective(line, u"#LIBRARYSTART2")) {
    if (active) library.librarySection = 3;
  } else if (text::isDirective(line, u"#LIBRARYSTART1")) {
    if (active) {
      logs.logLine(u"Directive #LIBRARYSTART1 found:" + line);
      library.librarySection = 2;
    }
  } else if (text::isDirective(line, u"#LIBRARYSTART")) {
    if (!library.libraryStartSeen) {
      library.libraryStartSeen = true;
      // With a load, everything before the first section is not library.
      if (library.libraryLoad == 1) emitter.restartOutput();
    }
    if (active) library.librarySection = 1;
  } else if (text::isDirective(line, u"#LIBRARYEND")) {
    if (active) endSection(library);
  } else {
    return false;
  }
  state.lineBuffer.clear();
  return true;
}

bool passesLibraryFilter(LibraryState& library, app::RunState& state, Emitter& emitter) {
  if (library.libraryLoad != 0) {
    if (library.librarySection == library.libraryLoad) {
      const std::u16string collected = state.lineBuffer + u"\r\n";
      emitter.appendDirect(collected);
      library.libraryText += collected;
    }
    return false;
  }
  return library.librarySection == 0 || (library.librarySection == 1 && state.libraryIgnore);
}

bool includeAllowed(const LibraryState& library, bool libraryIgnore) {
  const int section = library.librarySection;
  const int load = library.libraryLoad;
  return (section == 0 && load == 0) || (section == 1 && (load == 1 || libraryIgnore)) ||
         (section == 2 && load == 2) || (section == 3 && load == 3);
}

}  // namespace pre
