#pragma once

#include <optional>
#include <string_view>

#include "pio/line_result.h"

namespace pio {

class PioLine;

/// Directives that set one field of a configuration register image: ".jmp_pin"
/// to ".fjoin_tx". A value outside the field (negative included) is reported
/// and changes nothing. nullopt when the word names none of them.
std::optional<LineResult> applyFieldDirective(PioLine& line, std::u16string_view name);

/// First reading: a directive naming a pin notes it, for the GPIO base.
void notePinDirective(PioLine& line, std::u16string_view name);

}  // namespace pio
