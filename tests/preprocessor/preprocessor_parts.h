#pragma once

#include "base/run_mode.h"
#include "preprocessor/conditionals.h"
#include "preprocessor/emitter.h"
#include "preprocessor/line_map.h"
#include "preprocessor/line_state.h"
#include "preprocessor/option_directives.h"
#include "preprocessor/target_options.h"
#include "support/recording_logs.h"

namespace pre_test {

// The parts of a run that the directive handlers work on, wired as the read
// loop wires them.
struct PreprocessorParts {
  explicit PreprocessorParts(base::RunMode mode = base::RunMode::corvane)
      : emitter{output, line, conditionals, options, target, mode} {}

  pre::Output output;
  pre::LineState line;
  pre::Conditionals conditionals;
  pre::SourceOptions options;
  pre::TargetOptions target;
  testing_support::RecordingLogs logs;
  pre::Emitter emitter;
};

}  // namespace pre_test
