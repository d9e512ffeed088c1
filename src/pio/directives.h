#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pio {

class PioLine;

/// Applies the directive named by the line's first word (already taken) and
/// returns the line's result; nullopt when the word names no directive.
std::optional<int> applyDirective(PioLine& line, std::u16string_view name);

/// Directives that set one field of a configuration register image: ".jmp_pin"
/// to ".fjoin_tx". nullopt when the word names none of them.
std::optional<int> applyRegisterField(PioLine& line, std::u16string_view name);

/// The program name of a ".program" line body: the text after the keyword,
/// trimmed, cut before any apostrophe and then before any ";".
std::u16string programNameOf(std::u16string_view body);

/// Adds value << shift to a register image, wrapping rather than overflowing.
void addToImage(int64_t& image, int64_t value, int shift);

}  // namespace pio
