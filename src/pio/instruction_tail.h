#pragma once

#include <cstdint>
#include <string_view>

namespace pio {

class PioLine;

/// An instruction's word as its operands built it, with what the words after
/// the operands may still add.
struct Encoded {
  uint32_t bits = 0;
  /// "rel" after the operands sets bit 4 (irq, and wait on an irq).
  bool takesRel = false;
  /// The irq number names a neighbouring block's flag ("prev", "next"):
  /// "rel" is then an error.
  bool neighbour = false;
  /// push and pull: the "if" option word ("iffull", "ifempty"); empty for the
  /// other instructions, which take no option words.
  std::u16string_view ifWord;
};

/// Applies a push or pull option word ("block", "noblock" or ifWord) to the
/// bits; false when the word is none of them.
bool applyFifoOption(std::u16string_view ifWord, std::u16string_view word, uint32_t& bits);

/// Reads the words after an instruction's operands: "side" (or "sideset",
/// "side_set") with its value and a "[delay]" in either order, "rel", and the
/// instruction's option words. Checks side value and delay against the
/// widths the state machine's side-set leaves and adds them (bits 12:8). Any
/// other word is an error when the line has no other.
uint32_t applyTail(PioLine& line, const Encoded& encoded);

}  // namespace pio
