#pragma once

#include <string_view>

namespace pio {

struct PioContext;

/// First-reading handling of one PIO line: records labels at their addresses,
/// defines, the program name, the current block and state machine, and counts
/// the instruction slots exactly as the second pass will fill them.
void pioFirstPassLine(PioContext& ctx, std::u16string_view line);

}  // namespace pio
