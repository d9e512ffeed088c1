#pragma once

#include <string>
#include <string_view>

namespace text {

// One case table serves every comparison and conversion: ASCII letters and the
// Latin-1 letters U+00C0-U+00DE / U+00E0-U+00FE (not U+00D7, U+00F7). Nothing
// else changes case.

/// c in upper case per the table; any other character unchanged. Inline, as
/// the #REPLACE engine folds every character of a program through toLower.
inline char16_t toUpper(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  return c;
}

/// c in lower case per the table; any other character unchanged.
inline char16_t toLower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  return c;
}

/// s with every character converted by toUpper / toLower.
std::u16string upper(std::u16string_view s);
std::u16string lower(std::u16string_view s);

/// Equal when both are lowered character by character.
bool equalsNoCase(std::u16string_view a, std::u16string_view b);

/// Whether s starts with prefix, compared without regard to case. Inline with
/// a first-character test, as each line is tried against many keywords.
inline bool startsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
  if (s.size() < prefix.size()) return false;
  if (prefix.empty()) return true;
  return toLower(s[0]) == toLower(prefix[0]) && equalsNoCase(s.substr(1, prefix.size() - 1), prefix.substr(1));
}

/// Position of the first occurrence of needle at or after from, without regard
/// to case; npos when absent. An empty needle is found at from.
size_t findNoCase(std::u16string_view haystack, std::u16string_view needle, size_t from = 0);

/// Whether needle occurs in haystack, without regard to case.
inline bool containsNoCase(std::u16string_view haystack, std::u16string_view needle) {
  return findNoCase(haystack, needle) != std::u16string_view::npos;
}

}  // namespace text
