#pragma once

#include <span>
#include <string>
#include <string_view>

namespace text {

// "Blank" here is the space character alone: a tab is text.

std::u16string_view trimLeadingBlanks(std::u16string_view s);
std::u16string_view trimTrailingBlanks(std::u16string_view s);
std::u16string_view trimBlanks(std::u16string_view s);

/// Trims blanks at both ends and reduces every run of blanks to one.
std::u16string normaliseBlanks(std::u16string_view s);

/// Field n (1-based) of s split at single blanks; empty when there is none.
/// Two blanks in a row give an empty field between them.
std::u16string_view field(std::u16string_view s, int n);

/// The directive test: after its leading blanks the line begins with the
/// keyword, compared without regard to case. Nothing is required after it.
bool isDirective(std::u16string_view line, std::u16string_view keyword);

/// The directive test for a list of keywords, tried in their order, which
/// puts a longer keyword before its prefix: the first one the line is a
/// directive of, or an empty view when there is none.
std::u16string_view directiveKeyword(std::u16string_view line, std::span<const std::u16string_view> keywords);

/// Whether the line is a directive of any of the keywords.
inline bool isDirective(std::u16string_view line, std::span<const std::u16string_view> keywords) {
  return !directiveKeyword(line, keywords).empty();
}

}  // namespace text
