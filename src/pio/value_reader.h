#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "pio/line_words.h"

namespace pio {

class PioLine;

/// Message of a value that is neither a number nor a valid expression.
inline constexpr std::u16string_view kNotANumber = u"not a number or valid expression";
/// Message of a name a .pio file does not define.
inline constexpr std::u16string_view kUndefinedName = u"undefined symbol";
/// Message of a name that a define and a label of the block both carry, as
/// names differing only in case do: its value cannot be told.
inline constexpr std::u16string_view kDefineAndLabel = u"name is both a define and a label";

/// The value of the word at a number position: a whole number in any form
/// PIO lines use, a define (its value read again) or a label of the block, or
/// a group holding an expression. A missing word reads 0. Anything else, or a
/// name both a define and a label carry, is reported as a GEN error naming
/// it, and gives nullopt.
std::optional<int32_t> readValue(PioLine& line, const Word& word);

/// The address a jump target word gives: a whole number, a define, a label of
/// the block, a group holding an expression, or an expression written without
/// blanks. nullopt, reporting nothing, when it gives none; a name both a
/// define and a label carry is reported and reads 0.
/// A line read by a .pio file's rules takes every value as an expression in
/// its program's names (labels counting from the program's first
/// instruction) and reports what has no value.
std::optional<int32_t> jumpTarget(PioLine& line, const Word& word);

/// The value of a delay word "[...]": its contents read as a whole number,
/// then as a name, then as an expression; "[]" is 0. Anything else is
/// reported as a GEN error naming the word, and gives nullopt.
std::optional<int32_t> readDelay(PioLine& line, const Word& word);

}  // namespace pio
