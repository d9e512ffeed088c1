#pragma once

namespace app {

struct Run;

/// Reads the main source line by line through the directive tests. A source
/// with PIO lines is read a second time from its first line, and the second
/// reading's output replaces the first's. Reading stops at #ENDCODE.
void readSource(Run& run);

/// Prepares a new reading from the first line: the output, the line map, the
/// line count and the #REPLACE pairs start again, so the result, its map and
/// the replacements describe one reading only; no conditional level, block
/// comment, library section, array block or PIO block is open.
void startReadingAgain(Run& run);

}  // namespace app
