#pragma once

#include <cstdint>
#include <string>

#include "pio/pio_assembler.h"

namespace pio {

/// What the decoder needs to know of the state machine the word belongs to.
struct DecodeContext {
  RegisterImages registers;
  PinGroups pins = PinGroups::atBlockStart();
  /// The labels of the block, or nullptr for none.
  const BlockLabels* labels = nullptr;
  bool noHints = false;
  /// The block runs PIO version 1: its words read with that version's forms.
  bool versionOne = false;
  /// The PIO block's GPIO base: a GPIO in a word or a field counts from it;
  /// the pin groups above are real pins already.
  int32_t gpioBase = 0;
};

/// The decoder's view of (currentPio, currentSm) in the current block.
DecodeContext decodeContextFor(const PioAssembler& pio, bool noHints);

/// Decodes a word for (currentPio, currentSm) with the options in force, and
/// leaves in sidesetCount the side-set bits that state machine gives a word.
std::u16string decodeForCurrentMachine(const PioContext& ctx, uint16_t word);

/// One instruction word as readable text, with pin hints, side-set, delay and
/// jump labels ("SET PINDIRS &b00001(GP4-GP0)", "JMP X-- loop", "NOP").
std::u16string decodeInstruction(uint16_t word, const DecodeContext& context);

/// "(GP<first>)", "(GP<first+1>,GP<first>)" or "(GP<last>-GP<first>)", highest
/// pin first; "()" for no pins; empty when hints are off.
std::u16string pinHint(int64_t first, int64_t count, bool noHints);

/// The name (without colon) of the first label at the address, else the
/// address in decimal.
std::u16string labelForAddress(const BlockLabels* labels, int32_t address);

}  // namespace pio
