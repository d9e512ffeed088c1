#pragma once

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

}  // namespace text
