#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pio {

class PioLine;

/// Directives that set one field of a configuration register image: ".jmp_pin"
/// to ".fjoin_tx". nullopt when the word names none of them.
std::optional<int> applyRegisterField(PioLine& line, std::u16string_view name);

/// Adds value << shift to a register image, wrapping rather than overflowing.
void addToImage(int64_t& image, int64_t value, int shift);

}  // namespace pio
