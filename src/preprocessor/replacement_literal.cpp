#include "preprocessor/replacement_literal.h"

#include <algorithm>
#include <vector>

#include "preprocessor/replacement_chars.h"
#include "preprocessor/replacement_splice.h"

namespace pre::replacing {
namespace {

// Positions p where the from-word stands with a delimiter at p - 1 and at
// p + its length; overlapping ones included.
void findCandidates(std::u16string_view text, std::u16string_view from, std::vector<size_t>& found) {
  found.clear();
  const size_t length = from.size();
  if (text.size() < length + 2) return;
  const size_t last = text.size() - length - 1;
  const char16_t first = length == 0 ? 0 : text::toLower(from[0]);
  for (size_t p = 1; p <= last; ++p) {
    if (length > 0 && text::toLower(text[p]) != first) continue;
    if (!isDelimiter(text[p - 1]) || !isDelimiter(text[p + length])) continue;
    if (text::equalsNoCase(text.substr(p, length), from)) found.push_back(p);
  }
}

}  // namespace

void applyLiteralRow(std::u16string& text, const Replacement& row) {
  if (row.from.empty() && row.to.empty()) return;
  const size_t length = row.from.size();
  std::vector<size_t> found;
  std::vector<size_t> matches;
  auto scanAt = [&](size_t p) { return scanOf(text[p - 1], text[p + length]); };
  // Only scans that find something are run; each is found afresh, since the
  // previous one may have made or broken matches anywhere.
  for (int done = -1;;) {
    findCandidates(text, row.from, found);
    int scan = kScanCount;
    for (size_t p : found) {
      const int s = scanAt(p);
      if (s > done && s < scan) scan = s;
    }
    if (scan == kScanCount) return;
    matches.clear();
    size_t nextStart = 0;  // where the next match may start, its left delimiter included
    for (size_t p : found) {
      if (p - 1 < nextStart || scanAt(p) != scan) continue;
      matches.push_back(p);
      nextStart = p + length + 1;
    }
    spliceInPlace(
        text, matches.size(), [&](size_t i) { return Edit{matches[i], length, row.to.size(), true}; },
        [&](size_t, char16_t* out) { std::copy(row.to.begin(), row.to.end(), out); });
    done = scan;
  }
}

}  // namespace pre::replacing
