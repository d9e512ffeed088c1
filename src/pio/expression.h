#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace pio {

/// Gives the value of a name met in an expression; nullopt when it has none.
using NameValue = std::function<std::optional<int32_t>(std::u16string_view name)>;

/// The value of an expression: integers (decimal, "0x"/"$"/"&h" hexadecimal,
/// "0b"/"%"/"&b" binary), names, parentheses, unary "-" and "::" (32-bit
/// reverse), and the binary operators "| & ^", then "* /", then "+ -", then
/// "<< >>", from tightest to loosest, each level left to right. Unary "-"
/// binds like "+ -", unary "::" loosest of all; blanks between tokens are
/// free. 32-bit wrap-around arithmetic, "/" truncates toward zero, shift
/// counts are taken modulo 32 and ">>" keeps the sign. nullopt for a syntax
/// error, a name without a value, a division by zero or too deep a nesting.
std::optional<int32_t> evaluateExpression(std::u16string_view text, const NameValue& nameValue);

}  // namespace pio
