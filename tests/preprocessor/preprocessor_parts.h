#pragma once

#include "base/run_mode.h"
#include "preprocessor/emitter.h"
#include "preprocessor/line_state.h"
#include "preprocessor/option_directives.h"
#include "preprocessor/reading.h"
#include "preprocessor/target_options.h"
#include "support/recording_logs.h"

namespace pre_test {

// The parts of a run that the directive handlers work on, wired as the read
// loop wires them.
struct PreprocessorParts {
  explicit PreprocessorParts(base::RunMode mode = base::RunMode::corvane)
      : emitter{reading, line, options, target, mode} {}

  pre::Reading reading;
  pre::LineState line;
  pre::DefinedSymbols symbols;
  pre::SourceOptions options;
  pre::TargetOptions target;
  testing_support::RecordingLogs logs;
  pre::Emitter emitter;
};

}  // namespace pre_test
