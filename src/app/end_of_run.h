#pragma once

namespace app {

struct Run;

/// Everything after the read: replacements, the code-store setting, the
/// result file, the hand-off to the target program and the closing windows.
void finishRun(Run& run);

}  // namespace app
