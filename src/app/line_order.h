#pragma once

#include <string_view>
#include <vector>

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

/// Runs one line of the main source, held in lineBuffer, through the stages
/// in their fixed order; what is left reaches the output.
LineOutcome processMainLine(Run& run);

/// The stages a line meets, named by what they do, in their order.
std::vector<std::u16string_view> stageNames();

}  // namespace app
