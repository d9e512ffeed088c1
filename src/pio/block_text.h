#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pio {

struct PioAssembler;
struct PasmOptions;

/// The listing texts one block builds up in the second reading.
struct PioBlockText {
  /// "PIO PROGRAM LINE" commands with their listing tails, and the label and
  /// wrap lines as ";" lines; every line ends with CR LF.
  std::u16string programLines;
  /// One listing line per assembled word, each ending with CR LF.
  std::u16string instructionSummary;
};

/// Decoded text padded or cut to the column width, then ";" and the comment
/// with blanks normalised, then CR LF.
std::u16string listingTail(std::u16string_view decoded, std::u16string_view comment, size_t width);

/// The comment of a listing line: the text after the line's comment mark
/// ("'", ";" or "//", whichever comes first), or the whole line without one.
std::u16string_view listingComment(std::u16string_view line);

/// Adds an assembled word at its address to both listing texts.
void appendInstruction(PioBlockText& text, int pioNumber, int address, uint16_t word,
                       std::u16string_view tail);

/// SETPIN commands for the SET, OUT and side-set pins of the block, at most 32
/// per group, for PIO block pioNumber.
std::vector<std::u16string> setpinLines(const PioAssembler& pio, int pioNumber);

/// The text that replaces a block's end line: banner, the summary, the
/// program lines and the SETPIN, PIO INIT MACHINE and PIO START commands of
/// (currentPio, currentSm).
std::u16string generatedBlockText(const PioAssembler& pio, const PasmOptions& options);

}  // namespace pio
