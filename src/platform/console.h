#pragma once

#include <string_view>

namespace platform {

// The standard streams of a run started from a shell. On Windows, where the
// tool is a GUI program, a stream that was not handed over goes to the
// console of the shell that started it, when there is one.

/// Writes UTF-8 bytes to standard output whole; false when they did not all
/// get there (no such stream, or its reader went away).
bool writeStandardOutput(std::string_view bytes);

/// The same for standard error.
bool writeStandardError(std::string_view bytes);

}  // namespace platform
