#pragma once

#include <string>

namespace pre {

/// Turns a handled directive line into a comment line: an apostrophe, the
/// line without its leading blanks, CR LF. No later test matches it.
void commentOut(std::u16string& lineBuffer);

/// The other way handlers comment a line: an apostrophe before the unchanged
/// line, no line end (the plain-line step adds it).
void commentInPlace(std::u16string& lineBuffer);

}  // namespace pre
