#include "text/case_table.h"

#include <bit>
#include <cstdint>

#include "text/simd.h"

namespace text {

std::u16string upper(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = toUpper(c);
  return out;
}

std::u16string lower(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = toLower(c);
  return out;
}

bool equalsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && toLower(a[i]) != toLower(b[i])) return false;
  }
  return true;
}

// Every line is searched for several keywords, so the first character is
// looked for eight at a time. Under the case table a lowered character has at
// most one other form, its upper case.
size_t findNoCase(std::u16string_view haystack, std::u16string_view needle, size_t from) {
  if (needle.size() > haystack.size()) return std::u16string_view::npos;
  const size_t last = haystack.size() - needle.size();  // the last place it can start
  if (from > last) return std::u16string_view::npos;
  if (needle.empty()) return from;
  const char16_t lowerFirst = toLower(needle[0]);
  const char16_t upperFirst = toUpper(lowerFirst);
  const std::u16string_view rest = needle.substr(1);
  auto matchesAt = [&](size_t i) { return equalsNoCase(haystack.substr(i + 1, rest.size()), rest); };
  size_t i = from;
#if PREXLE_SSE2
  const __m128i lowerLanes = _mm_set1_epi16(static_cast<short>(lowerFirst));
  const __m128i upperLanes = _mm_set1_epi16(static_cast<short>(upperFirst));
  for (; i + 8 <= last + 1; i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(haystack.data() + i));
    auto hits = static_cast<uint32_t>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, lowerLanes), _mm_cmpeq_epi16(v, upperLanes))));
    while (hits != 0) {
      const int k = std::countr_zero(hits) / 2;
      hits &= ~(3u << (2 * k));
      if (matchesAt(i + k)) return i + k;
    }
  }
#endif
  for (; i <= last; ++i) {
    if ((haystack[i] == lowerFirst || haystack[i] == upperFirst) && matchesAt(i)) return i;
  }
  return std::u16string_view::npos;
}

}  // namespace text
