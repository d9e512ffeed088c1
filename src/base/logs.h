#pragma once

#include <string_view>

#include "base/source_location.h"

namespace base {

/// The two line writers every part of a run reports through. Neither adds
/// anything but the line end; callers build the whole line.
class Logs {
 public:
  virtual ~Logs() = default;

  /// Appends a line to the run log "Prexle.txt"; nothing while the log is off.
  virtual void logLine(std::u16string_view line) = 0;

  /// Appends a line to the PIO report "PasmErrors.txt".
  virtual void pioErrorLine(std::u16string_view line) = 0;

  /// Starts the run log, empty, the first time (a #DEBUG line asks for it);
  /// later calls do nothing. A log that cannot be created stops the run.
  virtual void startRunLog() = 0;

  /// Whether the run log was started; the run then ends with its window.
  virtual bool runLogStarted() const = 0;

  /// A PIO error was counted; statement is the report's line that states it
  /// (its guidance follows in the report), place the line it belongs to (a
  /// line of a .pio file for an included program; unknown when the assembler
  /// was not told). Writers that can point at a line take it up; the report
  /// alone needs nothing more.
  virtual void pioErrorFound(std::u16string_view statement, const SourceLocation& place) {
    (void)statement;
    (void)place;
  }

  /// A note for the user about the line under way that does not stop the run.
  virtual void note(std::u16string_view message) = 0;
};

}  // namespace base
