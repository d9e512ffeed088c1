#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pio {

/// The form in which PIO words are compared: parenthesised text dropped,
/// trimmed, commas turned into blanks, runs of blanks shrunk, lower case.
std::u16string normalisePioLine(std::u16string_view text);

/// Tabs become blanks, and blanks just inside "[" and "]" go, so that a
/// tab-indented line or "[ 3 ]" reads like any other. Used on a working copy;
/// the line echoed to the report keeps its tabs.
std::u16string preparePioLine(std::u16string_view line);

/// Word number wordCursor of text split at single blanks (empty when there is
/// none), then wordCursor grows by 1. restart first sets wordCursor to 1.
std::u16string nextWord(std::u16string_view text, bool restart, int& wordCursor);

/// The plain numeric reader: leading blanks/tabs, optional sign, then "$" or
/// "0x" + hex digits, "%" or "0b" + binary digits, or decimal digits; stops at
/// the first other character; 0 without digits. Cut to signed 32 bits.
int32_t readPlainNumber(std::u16string_view text);

/// Reads a number as PIO operands are written: "GP" pin names, "&H"/"&B"
/// forms, hexadecimal before the exponent test, then decimal with an exponent
/// (rounded half to even) or the plain reader. Text that is no number gives 0.
int32_t parsePioNumber(std::u16string_view text);

/// True when the whole word is a number: optional sign and decimal digits,
/// "$", "&H" or "0x" and hex digits, or "%", "&B" or "0b" and binary digits.
bool isWholeNumber(std::u16string_view word);

}  // namespace pio
