#pragma once

#include <string>
#include <string_view>

namespace text {

// One case table serves every comparison and conversion: ASCII letters and the
// Latin-1 letters U+00C0-U+00DE / U+00E0-U+00FE (not U+00D7, U+00F7). Nothing
// else changes case.

char16_t toUpper(char16_t c);
char16_t toLower(char16_t c);
std::u16string upper(std::u16string_view s);
std::u16string lower(std::u16string_view s);

bool equalsNoCase(std::u16string_view a, std::u16string_view b);
bool startsWithNoCase(std::u16string_view s, std::u16string_view prefix);

/// Position of the first occurrence of needle at or after from, without regard
/// to case; npos when absent. An empty needle is found at from.
size_t findNoCase(std::u16string_view haystack, std::u16string_view needle, size_t from = 0);

inline bool containsNoCase(std::u16string_view haystack, std::u16string_view needle) {
  return findNoCase(haystack, needle) != std::u16string_view::npos;
}

}  // namespace text
