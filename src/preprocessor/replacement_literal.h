#pragma once

// The path for rows the word path cannot take: a from-word that holds a
// delimiter can match across words, and an empty one matches between two
// delimiters.

#include <string>

#include "preprocessor/replacements.h"

namespace pre::replacing {

/// Applies one row to text in place, scan by scan, as the literal scan states
/// it; works for any from-word, but reads the whole text once per scan that
/// changes something.
void applyLiteralRow(std::u16string& text, const Replacement& row);

}  // namespace pre::replacing
