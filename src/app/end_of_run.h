#pragma once

namespace app {

struct Run;

/// How a run ended, for the exit status.
struct RunOutcome {
  /// The result was written (nothing stopped the run).
  bool resultWritten = false;
  /// PIO errors reported on the way.
  int pioErrors = 0;
};

/// Everything after the read: replacements, the code-store setting, the
/// result, the hand-off to the target program when asked for, and the
/// closing windows.
RunOutcome finishRun(Run& run);

/// The end of a run that turned a .pio file into commands, held as the
/// run's output: the result, unless there is none (the programs did not
/// fit), and the PIO check.
RunOutcome finishPioTranslation(Run& run, int errorCount);

}  // namespace app
