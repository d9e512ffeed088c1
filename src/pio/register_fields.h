#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "pio/register_display.h"

namespace pio {

class PioLine;
struct StateMachineConfig;

/// Directives that set one field of a configuration register image: ".jmp_pin"
/// to ".fjoin_tx". A value outside the field (negative included) is reported
/// and changes nothing. nullopt when the word names none of them.
std::optional<int> applyRegisterField(PioLine& line, std::u16string_view name);

/// Adds value << shift to a register image, wrapping rather than overflowing.
void addToImage(int64_t& image, int64_t value, int shift);

/// The image of one register of a state machine.
int64_t& imageOf(StateMachineConfig& config, RegisterKind kind);

}  // namespace pio
