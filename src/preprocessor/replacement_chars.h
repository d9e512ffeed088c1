#pragma once

// Character classes shared by the #REPLACE engine's paths.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "preprocessor/replacements.h"
#include "text/case_table.h"

namespace pre::replacing {

/// Number of delimiters.
inline constexpr int kDelimiterCount = static_cast<int>(kDelimiters.size());

/// Delimiter pairs, hence scans of one row.
inline constexpr int kScanCount = kDelimiterCount * kDelimiterCount;

/// Place in kDelimiters of each ASCII character, -1 for those not in it.
inline constexpr std::array<int8_t, 128> kDelimiterSlots = [] {
  std::array<int8_t, 128> slots{};
  slots.fill(-1);
  for (size_t i = 0; i < kDelimiters.size(); ++i) slots[kDelimiters[i]] = static_cast<int8_t>(i);
  return slots;
}();

/// Place of c in kDelimiters, or -1 when c is not a delimiter (all are ASCII).
inline int delimiterSlot(char16_t c) { return c < 128 ? kDelimiterSlots[c] : -1; }

/// Whether c is one of kDelimiters.
inline bool isDelimiter(char16_t c) { return delimiterSlot(c) >= 0; }

/// Whether s holds a delimiter: such a from-word can match across words.
inline bool holdsDelimiter(std::u16string_view s) { return std::any_of(s.begin(), s.end(), isDelimiter); }

/// The scan of a row that matches a word between these two delimiters; scans
/// run in this order, the right delimiter varying slowest.
inline int scanOf(char16_t left, char16_t right) {
  return delimiterSlot(right) * kDelimiterCount + delimiterSlot(left);
}

/// Case-folding hash of s (FNV-1a over lowered characters); allocates nothing.
inline uint32_t foldedHash(const char16_t* s, size_t length) {
  uint32_t hash = 2166136261u;
  for (size_t i = 0; i < length; ++i) hash = (hash ^ text::toLower(s[i])) * 16777619u;
  return hash;
}

}  // namespace pre::replacing
