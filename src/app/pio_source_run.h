#pragma once

#include "app/end_of_run.h"

namespace app {

struct Run;

/// The run of a .pio SOURCE: its programs turned into MMBasic commands for
/// the request's PIO block, each error reported at its file and line, the
/// commands written as the result.
RunOutcome translatePioProgram(Run& run);

}  // namespace app
