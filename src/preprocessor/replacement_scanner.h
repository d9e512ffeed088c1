#pragma once

// Finding the words of a large text (maximal runs of non-delimiters) with few
// branches: the delimiters of 64 characters at a time become a bit mask, and
// the words are read off where the mask changes. A branch per character
// would be mispredicted at nearly every word boundary.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "preprocessor/replacement_chars.h"
#include "text/simd.h"

namespace pre::replacing {

/// Bit k set when p[k] is a delimiter, for k below count (at most 64); the
/// bits from count on are set, as if delimiters followed.
inline uint64_t delimiterMask(const char16_t* p, size_t count) {
  uint64_t mask = count < 64 ? ~uint64_t{0} << count : 0;
  for (size_t k = 0; k < count; ++k) {
    const char16_t c = p[k];
    const uint64_t delimiter = c < 128 ? static_cast<uint64_t>(kDelimiterSlots[c] >= 0) : 0;
    mask |= delimiter << k;
  }
  return mask;
}

#if PREXLE_SSE2
// The delimiters as SSE2 compares see them: three ranges with holes, and two
// single characters.
constexpr bool delimiterBySpans(unsigned c) {
  return (c >= 32 && c <= 47 && c != 35 && c != 46) || (c >= 9 && c <= 13 && c != 11) ||
         (c >= 58 && c <= 62 && c != 59) || c == 92 || c == 94;
}
static_assert([] {
  for (unsigned c = 0; c < 128; ++c) {
    if (delimiterBySpans(c) != (kDelimiterSlots[c] >= 0)) return false;
  }
  return true;
}(), "the SSE2 spans must name exactly the delimiters");

// All ones in the lanes of v that hold a delimiter.
inline __m128i delimiterLanes(__m128i v) {
  const __m128i zero = _mm_setzero_si128();
  auto within = [&](short low, short high) {
    const __m128i above = _mm_sub_epi16(v, _mm_set1_epi16(low));
    return _mm_cmpeq_epi16(_mm_subs_epu16(above, _mm_set1_epi16(static_cast<short>(high - low))), zero);
  };
  auto is = [&](short c) { return _mm_cmpeq_epi16(v, _mm_set1_epi16(c)); };
  const __m128i spans = _mm_or_si128(_mm_or_si128(within(32, 47), within(9, 13)),
                                     _mm_or_si128(within(58, 62), _mm_or_si128(is(92), is(94))));
  const __m128i holes = _mm_or_si128(_mm_or_si128(is(35), is(46)), _mm_or_si128(is(11), is(59)));
  return _mm_andnot_si128(holes, spans);
}

/// delimiterMask for a full block of 64 characters.
inline uint64_t delimiterMask64(const char16_t* p) {
  uint64_t mask = 0;
  for (int k = 0; k < 64; k += 16) {
    const __m128i low = delimiterLanes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k)));
    const __m128i high = delimiterLanes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k + 8)));
    const auto bits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(low, high)));
    mask |= static_cast<uint64_t>(bits) << k;
  }
  return mask;
}
#else
inline uint64_t delimiterMask64(const char16_t* p) { return delimiterMask(p, 64); }
#endif

/// Calls visit(start, end) for each word of text, left to right.
template <class Visit>
void forEachWord(std::u16string_view text, Visit&& visit) {
  const char16_t* p = text.data();
  const size_t n = text.size();
  size_t wordStart = 0;
  bool inWord = false;
  for (size_t base = 0; base < n; base += 64) {
    const uint64_t delimiters = n - base >= 64 ? delimiterMask64(p + base) : delimiterMask(p + base, n - base);
    // Bit k of changes: character k is not of the same kind as the one before.
    uint64_t changes = delimiters ^ ((delimiters << 1) | (inWord ? 0 : 1));
    while (changes != 0) {
      const int k = std::countr_zero(changes);
      changes &= changes - 1;
      if ((delimiters >> k) & 1) {
        visit(wordStart, base + k);
      } else {
        wordStart = base + k;
      }
    }
    inWord = !(delimiters >> 63);
  }
  if (inWord) visit(wordStart, n);
}

}  // namespace pre::replacing
