#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pio/pio_assembler.h"

namespace base {
class Logs;
}

namespace pio {

class PioFile;

/// Where a whole .pio file goes: its PIO block, and the chip, which when not
/// given is the RP2350 if a program asks for PIO version 1, else the RP2040.
struct PioFileTarget {
  int pioBlock = 0;
  std::optional<Chip> chip;
};

/// A whole .pio file turned into MMBasic commands.
struct PioFileTranslation {
  /// The text, CR LF lines; empty when the programs cannot be placed.
  std::u16string text;
  /// Every error, with its file and line (0 for the file as a whole).
  std::vector<PioDiagnostic> errors;
};

/// Every program of the file as a "#PIOSTART" block holding only its
/// ".include" gives it: a comment naming it, the listing and the "PIO PROGRAM
/// LINE", "SETPIN", "PIO INIT MACHINE" and "PIO START" commands. Program n
/// runs on state machine n of the target's PIO block; the programs lie one after
/// another in instruction memory, each at its own ".origin" where it gives
/// one, never overlapping. More than four programs, or more than fit in the
/// 32 instructions, is an error and gives no text. The PIO report goes to
/// logs, with the assembled lines and blocks too when pioCheck is set.
PioFileTranslation translatePioFile(const std::shared_ptr<const PioFile>& file,
                                    const PioFileTarget& target, base::Logs& logs,
                                    bool pioCheck = false);

}  // namespace pio
