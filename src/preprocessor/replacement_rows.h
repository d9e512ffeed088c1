#pragma once

// The word path: rows whose from-words hold no delimiter, applied to the
// occurrences of their words instead of scanning the text 576 times a row.

#include <cstddef>
#include <string>

#include "preprocessor/replacements.h"

namespace pre::replacing {

/// Applies rows [begin, end) of table to text in place, exactly as the
/// literal scans would; every from-word there is empty or holds no delimiter,
/// and an empty one comes with an empty to-word.
void applyWordRows(std::u16string& text, const ReplaceTable& table, size_t begin, size_t end);

}  // namespace pre::replacing
