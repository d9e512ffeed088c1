#pragma once

#include <string_view>

namespace pio {

/// Assembler options switched on by "#PASMCFG" lines; once set they stay set
/// for the run. noHex, loadWithErrors and verbose are accepted and change
/// nothing.
struct PasmOptions {
  bool noHex = false;
  bool noInit = false;
  bool loadWithErrors = false;
  bool verbose = false;
  bool noSetpin = false;
  bool showRegs = false;
  bool noHints = false;
};

/// Sets the flag of every option word after the keyword of a "#PASMCFG" line.
/// Words are compared whole and case-sensitively; other words are ignored.
void applyPasmConfig(PasmOptions& options, std::u16string_view lineBuffer);

}  // namespace pio
