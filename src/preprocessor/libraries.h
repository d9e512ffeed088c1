#pragma once

#include <string>

namespace base {
class Logs;
}

namespace pre {

class Emitter;
struct LineState;
class SourceGuard;

/// Library sections and loads. Without a load, sections are left out of the
/// program; a load makes the output the matching sections only, and
/// #LIBRARYLOAD with a name also saves the plain section as a ".lib" file.
struct LibraryState {
  int librarySection = 0;  // 0 outside; 1, 2, 3 inside START, START1, START2
  int libraryLoad = 0;     // 0 none; 1, 2, 3 after LOAD, LOAD1, LOAD2
  bool libraryPending = false;
  bool libraryStartSeen = false;
  std::u16string libraryFileName;
  std::u16string libraryText;
};

/// The library directives. Inside a block comment they do nothing (but the
/// first #LIBRARYSTART of the run is still noted). A ".lib" file that would
/// replace the source stops the run. Returns whether the line was one; such
/// a line never reaches the output.
bool handleLibraryDirective(LibraryState& library, LineState& line, Emitter& emitter,
                            base::Logs& logs, const SourceGuard& guard);

/// A load of sections of the given kind (1, 2, 3) starts: the output so far
/// goes, but for the kept target line.
void startLibraryLoad(LibraryState& library, int load, Emitter& emitter);

/// A section of the given kind (1, 2, 3) starts.
void startLibrarySection(LibraryState& library, int section);

/// The filter for every other line outside a block comment: under a load,
/// lines of the matching section are collected into the output and the
/// library text and the rest dropped; without a load, lines inside a section
/// are dropped unless #LIBRARYIGNORE made the plain section ordinary code.
/// Returns whether the line goes on as a program line.
bool passesLibraryFilter(LibraryState& library, const std::u16string& lineBuffer,
                         bool libraryIgnore, Emitter& emitter);

/// Whether an #INCLUDE met now is read: only where its lines could reach the
/// output under the filter above.
bool includeAllowed(const LibraryState& library, bool libraryIgnore);

}  // namespace pre
