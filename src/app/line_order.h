#pragma once

namespace app {

struct Run;

/// What the read loop does after a line of the main source.
enum class LineOutcome {
  goOn,
  /// The first #ESP_CLIPBOARD: reading starts again from the first line.
  restartReading,
  /// #ENDCODE: this line and every later one are ignored.
  stopReading,
};

/// Runs one line of the main source, held in lineBuffer, through the
/// directive stages in their fixed order; what is left reaches the output.
LineOutcome processMainLine(Run& run);

}  // namespace app
