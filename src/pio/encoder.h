#pragma once

#include <string_view>

namespace pio {

class PioLine;

/// True for the words that assemble into one instruction slot: ".word" and
/// the nine mnemonics.
bool isInstructionMnemonic(std::u16string_view word);

/// Encodes the instruction line whose first word (already taken) is the
/// mnemonic, with its side-set and delay, and advances the program counter
/// (also when an error leaves the line without a word). Returns the 16-bit
/// word, or -3 when an error left the line without one or decoding is on.
int encodeInstruction(PioLine& line, std::u16string_view mnemonic);

}  // namespace pio
