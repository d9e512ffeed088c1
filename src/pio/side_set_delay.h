#pragma once

#include <cstdint>

namespace pio {

class PioLine;

/// Reads the words after an instruction's operands, "side <value>" and
/// "[<delay>]" in either order, checks them against the widths the state
/// machine's side-set leaves, and adds them to the word (bits 12:8).
uint32_t applySideSetAndDelay(PioLine& line, uint32_t word);

}  // namespace pio
