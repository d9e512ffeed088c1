#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace pio {

/// A number literal at the start of a text: a radix prefix ("$" or "%", or
/// "0x", "0b", "&h" or "&b" in either case when a digit of that radix
/// follows) and the digits of that radix after it, wrapped to 32 bits.
struct NumberLiteral {
  uint32_t value = 0;
  size_t prefixLength = 0;
  /// 0 when no digit follows the prefix: then there is no number.
  size_t digitCount = 0;

  size_t length() const { return prefixLength + digitCount; }
};

/// The number literal text starts with.
NumberLiteral readNumberLiteral(std::u16string_view text);

/// The value of a word that is wholly a number in one of the forms PIO lines
/// use: an optional "GP", then "&H"/"&B" and digits, or an optional sign and
/// "$"/"0x", "%"/"0b" or decimal digits, or decimal notation with an exponent
/// ("1E400" is a number that reads 0). nullopt for anything else.
std::optional<int32_t> wholeNumber(std::u16string_view word);

/// True when a jump target word is a number rather than a label name:
/// optional sign and decimal digits, "$", "&H" or "0x" and hex digits, or
/// "%", "&B" or "0b" and binary digits.
bool isWholeNumber(std::u16string_view word);

}  // namespace pio
