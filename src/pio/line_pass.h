#pragma once

#include <string>
#include <string_view>

#include "pio/line_result.h"

namespace pio {

struct PioContext;
struct PioFileLine;

/// First-reading handling of one PIO line: records labels at their addresses,
/// defines, the program name, the current block and state machine, and counts
/// the instruction slots exactly as the second reading will fill them. It
/// goes through the same directives as the second reading, reporting nothing.
void pioFirstPassLine(PioContext& ctx, std::u16string_view line);

/// Assembles one PIO line of the second reading: applies a directive or
/// encodes an instruction, resolving labels from the first reading. When the
/// line starts with a label that shares it with other text, labelText gets
/// the line as read up to the label's colon (so the caller can list it);
/// otherwise it is emptied.
LineResult pioSecondPassLine(PioContext& ctx, std::u16string_view line,
                             std::u16string* labelText = nullptr);

/// The same for a line of a .pio file, read by its rules: the program it
/// belongs to is the assembler's including one. A line the file refuses is
/// reported in the second reading and gives no word.
void pioFirstPassFileLine(PioContext& ctx, const PioFileLine& line);
LineResult pioSecondPassFileLine(PioContext& ctx, const PioFileLine& line,
                                 std::u16string* labelText = nullptr);

}  // namespace pio
