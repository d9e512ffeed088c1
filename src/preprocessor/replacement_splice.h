#pragma once

// Replacing many ranges of a text inside its own buffer: no second copy of
// the text is made, whether it grows, shrinks or both in different places.

#include <cstddef>
#include <cstring>
#include <string>

namespace pre::replacing {

/// One range [position, position + oldLength) that becomes newLength
/// characters; inactive edits are skipped.
struct Edit {
  size_t position = 0;
  size_t oldLength = 0;
  size_t newLength = 0;
  bool active = false;
};

namespace splice_detail {

// Moves text[from, to) by shift places.
inline void moveChunk(std::u16string& text, size_t from, size_t to, ptrdiff_t shift) {
  if (shift != 0 && to > from) {
    std::memmove(text.data() + from + shift, text.data() + from, (to - from) * sizeof(char16_t));
  }
}

}  // namespace splice_detail

/// Applies edits 0..count-1 (editAt(i) gives edit i; active ones sorted by
/// position and disjoint) to text, calling write(i, where) to fill the
/// newLength characters of each active edit once everything else is in place.
template <class EditAt, class Write>
void spliceInPlace(std::u16string& text, size_t count, EditAt&& editAt, Write&& write) {
  const size_t oldSize = text.size();
  ptrdiff_t total = 0;
  for (size_t i = 0; i < count; ++i) {
    const Edit e = editAt(i);
    if (e.active) total += static_cast<ptrdiff_t>(e.newLength) - static_cast<ptrdiff_t>(e.oldLength);
  }
  if (total > 0) text.resize(oldSize + total);
  // The unchanged stretches that move left go first, left to right; those that
  // move right then go right to left: neither can overwrite one not yet moved.
  ptrdiff_t shift = 0;
  size_t start = 0;  // of the unchanged stretch before the next edit
  for (size_t i = 0; i < count; ++i) {
    const Edit e = editAt(i);
    if (!e.active) continue;
    if (shift < 0) splice_detail::moveChunk(text, start, e.position, shift);
    shift += static_cast<ptrdiff_t>(e.newLength) - static_cast<ptrdiff_t>(e.oldLength);
    start = e.position + e.oldLength;
  }
  if (shift < 0) splice_detail::moveChunk(text, start, oldSize, shift);
  size_t end = oldSize;
  for (size_t i = count; i-- > 0;) {
    const Edit e = editAt(i);
    if (!e.active) continue;
    if (shift > 0) splice_detail::moveChunk(text, e.position + e.oldLength, end, shift);
    shift -= static_cast<ptrdiff_t>(e.newLength) - static_cast<ptrdiff_t>(e.oldLength);
    end = e.position;
  }
  for (size_t i = 0; i < count; ++i) {
    const Edit e = editAt(i);
    if (!e.active) continue;
    write(i, text.data() + e.position + shift);
    shift += static_cast<ptrdiff_t>(e.newLength) - static_cast<ptrdiff_t>(e.oldLength);
  }
  if (total < 0) text.resize(oldSize + total);
}

}  // namespace pre::replacing
