#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace text {

/// Decimal text of a number, with "-" when negative.
std::u16string decimal(int64_t value);

/// Upper-case hexadecimal without leading zeros ("0" for zero), padded on the
/// left with "0" to at least minWidth characters.
std::u16string hex(uint64_t value, int minWidth = 1);

/// Binary digits padded on the left with "0" to at least minWidth characters.
std::u16string binary(uint64_t value, int minWidth = 1);

/// The numeric value of the leading decimal number of s (leading blanks and
/// tabs skipped, optional sign); 0 when s does not start with a number.
int64_t leadingDecimal(std::u16string_view s);

}  // namespace text
