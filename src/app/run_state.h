#pragma once

#include <string>

#include "app/run_request.h"
#include "base/run_mode.h"
#include "preprocessor/includes.h"
#include "preprocessor/line_state.h"
#include "preprocessor/option_directives.h"
#include "preprocessor/target_options.h"

namespace app {

/// The version shown by the fatal-error and run-log windows.
extern const char16_t kVersionText[];

/// The request and what the run works out from it at its start; fixed for
/// the rest of the run.
struct RunSettings : RunRequest {
  /// The program handed the result at the end.
  std::u16string targetProgram;
  pre::SourceFolders folders;
};

/// The per-run record of run control: the settings from start-up and what
/// the source sets for the whole run (a reading that starts again keeps it),
/// with the line being processed.
struct RunState {
  explicit RunState(RunSettings startSettings) : settings(std::move(startSettings)) {}

  RunSettings settings;
  pre::SourceOptions options;
  pre::LineState line;
  pre::TargetOptions target;
  /// The folder of the code-base files, remembered from run to run.
  std::u16string codeBase;
  /// The source is being read a second time, to assemble its PIO blocks.
  bool secondReading = false;
  /// The first reading met a PIO block line and asks for the second.
  bool pioBlockSeen = false;
};

}  // namespace app
