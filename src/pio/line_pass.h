#pragma once

#include <string>
#include <string_view>

namespace pio {

struct PioContext;

// Results of a second-reading line besides an instruction word (0 or more,
// whose address is the program counter of currentPio less 1 after the call).

/// A directive or other line that gives no word and no listing entry.
inline constexpr int kResultDirective = -1;
/// Nothing to do: no code before the comment, or a ".decode" line.
inline constexpr int kResultNothing = -2;
/// No word: an error was reported, decode mode is on, a register picture was
/// written, or ".nostart".
inline constexpr int kResultNoWord = -3;
/// ".wrap_target", a valid ".wrap" or a label line: kept as a listing comment.
inline constexpr int kResultListingComment = -4;

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
int pioSecondPassLine(PioContext& ctx, std::u16string_view line,
                      std::u16string* labelText = nullptr);

}  // namespace pio
