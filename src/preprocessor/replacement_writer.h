#pragma once

// The writer of the word path: once the last row has run, it puts every
// to-word, nested ones included, into the text's own buffer in one pass.

#include <string>
#include <vector>

#include "preprocessor/replacement_inserted.h"
#include "preprocessor/replacement_occurrences.h"
#include "preprocessor/replacement_words.h"

namespace pre::replacing {

/// Writes into text, the unchanged text occurrences was built on, what the
/// rows of plans made of each of its occurrences.
void writeResult(std::u16string& text, const OccurrenceIndex& occurrences, const InsertedWords& inserted,
                 const std::vector<RowPlan>& plans);

}  // namespace pre::replacing
