#pragma once

#include <string_view>

#include "pio/register_fields.h"

namespace pio {

/// Assembler options switched on by "#PASMCFG" lines; once set they stay set
/// for the run. The words "nohex", "loadwitherrors" and "verbose" are
/// accepted too and change nothing, so they have no flag.
struct PasmOptions {
  bool noInit = false;
  bool noSetpin = false;
  bool showRegs = false;
  bool noHints = false;
  /// The chip a block is for when it names none: "rp2350" chooses the RP2350.
  Chip chip = Chip::rp2040;
};

/// Sets the flag of every option word after the keyword of a "#PASMCFG" line.
/// Words are compared whole and case-sensitively; other words are ignored.
void applyPasmConfig(PasmOptions& options, std::u16string_view lineBuffer);

}  // namespace pio
