// Applying the #REPLACE rows. Rows whose from-words hold no delimiter take
// the word path, which touches only the occurrences of their words; a row
// whose from-word holds a delimiter, or is empty while its to-word is not,
// takes the literal path. The text is edited in its own buffer throughout.

#include <cstdint>

#include "preprocessor/replacement_chars.h"
#include "preprocessor/replacement_literal.h"
#include "preprocessor/replacement_rows.h"
#include "preprocessor/replacements.h"

namespace pre {
namespace {

bool needsLiteralPath(const Replacement& row, const std::u16string& text) {
  if (text.size() >= UINT32_MAX) return true;  // the word path keeps 32-bit positions
  return row.from.empty() ? !row.to.empty() : replacing::holdsDelimiter(row.from);
}

}  // namespace

std::u16string applyReplacements(const ReplaceTable& table, std::u16string text) {
  size_t row = 0;
  while (row < table.size()) {
    if (needsLiteralPath(table[row], text)) {
      replacing::applyLiteralRow(text, table[row++]);
      continue;
    }
    size_t end = row + 1;
    while (end < table.size() && !needsLiteralPath(table[end], text)) ++end;
    replacing::applyWordRows(text, table, row, end);
    row = end;
  }
  return text;
}

}  // namespace pre
