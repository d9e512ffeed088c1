#pragma once

#include <string>

#include "base/run_mode.h"
#include "preprocessor/includes.h"
#include "preprocessor/line_state.h"
#include "preprocessor/option_directives.h"
#include "preprocessor/target_options.h"

namespace app {

/// The version shown by the fatal-error and run-log windows.
extern const char16_t kVersionText[];

/// What start-up takes from the parameters; fixed for the rest of the run.
struct RunSettings {
  std::u16string sourcePath;
  /// The folder of the calling program, ending with a backslash.
  std::u16string hostFolder;
  base::RunMode mode = base::RunMode::corvane;
  std::u16string outputPath;
  /// The working folder of the run: report, run log, line map, settings.
  std::u16string dataFolder;
  /// The program started with the result at the end.
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
