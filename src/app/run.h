#pragma once

#include "app/pio_files.h"
#include "app/run_files.h"
#include "app/run_state.h"
#include "pio/pio_blocks.h"
#include "preprocessor/array_blocks.h"
#include "preprocessor/code_modules.h"
#include "preprocessor/conditionals.h"
#include "preprocessor/emitter.h"
#include "preprocessor/libraries.h"
#include "preprocessor/replacements.h"
#include "preprocessor/source_guard.h"

namespace platform {
class Host;
}

namespace app {

/// Everything one run holds, owned by the entry point. Only the read loop and
/// the order of tests see all of it; handlers get the parts they need.
struct Run {
  Run(RunSettings settings, platform::Host& runHost)
      : state(std::move(settings)),
        sourceGuard(state.settings.sourcePath),
        files(state.settings.dataFolder, sourceGuard),
        host(runHost) {}
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  RunState state;
  pre::SourceGuard sourceGuard;
  RunFiles files;
  platform::Host& host;
  pre::Conditionals conditionals;
  pre::ReplaceTable replacements;
  pre::LibraryState library;
  pre::CodeBaseFiles codeBaseFiles;
  pre::ArrayBlocks arrays{sourceGuard};
  PioIncludeFiles pioFiles{state.settings.folders};
  pio::PioBlocks pio{files, &pioFiles};
  pre::Emitter emitter{state.output, state.line,    conditionals,
                       state.options, state.target, state.settings.mode};
};

}  // namespace app
