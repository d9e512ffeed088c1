#include "text/lines.h"

#include <bit>
#include <cstdint>

#include "text/simd.h"

namespace text {

size_t findEither(std::u16string_view text, char16_t a, char16_t b, size_t from) {
  const char16_t* p = text.data();
  const size_t n = text.size();
  size_t i = from;
#if PREXLE_SSE2
  // Eight characters per compare: the characters looked for are rare.
  const __m128i first = _mm_set1_epi16(static_cast<short>(a));
  const __m128i second = _mm_set1_epi16(static_cast<short>(b));
  for (; i + 8 <= n; i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const auto hits = static_cast<uint32_t>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, first), _mm_cmpeq_epi16(v, second))));
    if (hits != 0) return i + std::countr_zero(hits) / 2;
  }
#endif
  for (; i < n; ++i) {
    if (p[i] == a || p[i] == b) return i;
  }
  return n;
}

size_t findLineBreak(std::u16string_view text, size_t from) { return findEither(text, u'\n', u'\r', from); }

std::vector<std::u16string_view> splitLineViews(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = findLineBreak(text, start);
    lines.push_back(text.substr(start, end - start));
    if (end == text.size()) break;
    start = end + ((text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1);
  }
  return lines;
}

std::vector<std::u16string> splitLines(std::u16string_view text) {
  const std::vector<std::u16string_view> views = splitLineViews(text);
  return std::vector<std::u16string>(views.begin(), views.end());
}

}  // namespace text
