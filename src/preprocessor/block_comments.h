#pragma once

namespace app {
struct RunState;
}

namespace pre {

class Emitter;

/// A line that begins with "/*" opens a block comment; the line goes on
/// through the later tests.
void noteBlockCommentStart(app::RunState& state);

/// Inside a block comment the line is commented out and emitted; a line that
/// begins with "*/" ends the block (and is itself commented).
void commentBlockLine(app::RunState& state, Emitter& emitter);

}  // namespace pre
