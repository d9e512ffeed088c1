#pragma once

namespace app {
struct RunState;
}

namespace delivery {

/// A target line: a comment holding "'target " (not "''target ") names where
/// the program is meant to run. The line is kept (left-trimmed, recorded
/// twice in the line map) and " winbasic\" and " autorun" anywhere in it set
/// their flags for the rest of the run. The caller checks the conditional
/// level. Returns whether the line was one.
bool handleTargetLine(app::RunState& state);

/// #ESP_KEEPCOMMENTS, #ESP_CLIPBOARD, #PI_CLIPBOARD, #PI_AUTORUN and
/// #PI_AUTOSAVE. The first #ESP_CLIPBOARD asks for the reading to restart
/// from the first line (restartReading).
void handleTargetOptions(app::RunState& state);

}  // namespace delivery
