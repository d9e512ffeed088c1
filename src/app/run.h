#pragma once

#include <vector>

#include "app/pio_files.h"
#include "app/run_files.h"
#include "app/run_state.h"
#include "base/source_location.h"
#include "pio/pio_blocks.h"
#include "preprocessor/array_blocks.h"
#include "preprocessor/code_modules.h"
#include "preprocessor/conditionals.h"
#include "preprocessor/emitter.h"
#include "preprocessor/libraries.h"
#include "preprocessor/reading.h"
#include "preprocessor/source_guard.h"

namespace platform {
class Host;
}

namespace app {

class Reporter;

/// Where the blocks a reading leaves open were opened, for the notes at its
/// end. A level an included header file opens counts from the include line.
struct OpenedAt {
  std::vector<base::SourceLocation> levels;
  base::SourceLocation blockComment;
  base::SourceLocation librarySection;
  base::SourceLocation arrayBlock;
};

/// Everything one run holds, owned by the entry point: what lasts the whole
/// run, and the reading under way, which starts afresh when the source is
/// read again. Only the read loop and the order of tests see all of it;
/// handlers get the parts they need.
struct Run {
  /// where is kept up to date with the line under way; it outlives the run,
  /// so that an error that ends the run can still name the line.
  Run(RunSettings settings, Reporter& runReporter, platform::Host& runHost, base::SourceLocation& lineUnderWay)
      : state(std::move(settings)),
        sourceGuard(state.settings.sourcePath),
        reporter(runReporter),
        where(lineUnderWay),
        files(state.settings, sourceGuard, reporter, where),
        host(runHost) {}
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  RunState state;
  pre::SourceGuard sourceGuard;
  Reporter& reporter;
  base::SourceLocation& where;
  RunFiles files;
  platform::Host& host;
  pre::DefinedSymbols symbols;
  pre::LibraryState library;
  pre::CodeBaseFiles codeBaseFiles;
  pre::ArrayBlocks arrays{sourceGuard, files, state.settings.arrayGenerator};
  PioIncludeFiles pioFiles{state.settings.folders};
  pio::PioBlocks pio{files, &pioFiles};
  pre::Reading reading;
  OpenedAt openedAt;
  pre::Emitter emitter{reading, state.line, state.options, state.target, state.settings.mode};
};

}  // namespace app
