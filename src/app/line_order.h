#pragma once

namespace app {

struct Run;

/// Runs one line of the main source, held in lineBuffer, through the
/// directive tests in their fixed order; what is left reaches the output.
void processMainLine(Run& run);

}  // namespace app
