#pragma once

#include <cstdint>

#include "pio/line_result.h"

namespace pio {

class PioLine;
enum class Mnemonic;

/// Encodes the instruction line whose first word (already taken) is the
/// mnemonic, with its side-set and delay, at the slot address the line took.
/// Gives the 16-bit word, or no word when an error left the line without one.
LineResult encodeInstruction(PioLine& line, Mnemonic mnemonic, int32_t address);

}  // namespace pio
