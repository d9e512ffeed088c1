#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pio/pio_assembler.h"

namespace base {
class Logs;
}

namespace pio {

class PioFile;

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
/// runs on state machine n of PIO block pioBlock; the programs lie one after
/// another in instruction memory, each at its own ".origin" where it gives
/// one, never overlapping. More than four programs, or more than fit in the
/// 32 instructions, is an error and gives no text. The PIO report goes to
/// logs, with the assembled lines and blocks too when pioCheck is set.
PioFileTranslation translatePioFile(const std::shared_ptr<const PioFile>& file, int pioBlock,
                                    base::Logs& logs, bool pioCheck = false);

}  // namespace pio
