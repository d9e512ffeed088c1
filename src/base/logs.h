#pragma once

#include <string_view>

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
};

}  // namespace base
