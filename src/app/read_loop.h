#pragma once

namespace app {

struct Run;

/// Reads the main source line by line through the directive tests. A source
/// with PIO lines is read a second time from its first line, and the second
/// reading's output replaces the first's. Reading stops at #ENDCODE.
void readSource(Run& run);

/// Prepares a new reading from the first line: everything of the reading
/// under way starts afresh (the output, its line map, the line count, the
/// #REPLACE pairs, and every conditional level, block comment, library
/// section, array block and PIO block it left open), so the result, its map
/// and the replacements describe one reading only.
void startReadingAgain(Run& run);

}  // namespace app
