#pragma once

#include <string>
#include <string_view>

namespace text {

/// The text with every double quote removed.
std::u16string withoutQuotes(std::u16string_view s);

/// Position of the first c in s that stands outside double quotes (a quote
/// opens a string, the next one closes it); npos when there is none.
size_t findOutsideQuotes(std::u16string_view s, char16_t c, size_t from = 0);

/// Position of the first occurrence of needle, compared without regard to
/// case, that begins outside double quotes; npos when there is none.
size_t findNoCaseOutsideQuotes(std::u16string_view s, std::u16string_view needle);

}  // namespace text
