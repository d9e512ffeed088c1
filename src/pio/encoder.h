#pragma once

#include <cstdint>
#include <string_view>

namespace pio {

class PioLine;

/// True for the words that assemble into one instruction slot: ".word" and
/// the nine mnemonics.
bool isInstructionMnemonic(std::u16string_view word);

/// Encodes the instruction line whose first word (already taken) is the
/// mnemonic, with its side-set and delay, and advances the program counter.
/// Returns the 16-bit word, or -3 when an error left the line without one.
int encodeInstruction(PioLine& line, std::u16string_view mnemonic);

/// 1-based position of the first occurrence of the word's first keyLength
/// characters in an operand name table, without regard to case; 0 when
/// absent or when the word is empty.
int tablePosition(std::u16string_view table, std::u16string_view word, size_t keyLength);

}  // namespace pio
