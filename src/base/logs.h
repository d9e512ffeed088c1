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
};

}  // namespace base
