#pragma once

#include <string>
#include <string_view>

#include "app/reporter.h"

namespace app {

/// The diagnostic lines of one message, in the form compilers print and
/// editors' problem matchers read: "FILE:LINE: KIND: TEXT" when the message
/// belongs to a source line, "prexle: KIND: TEXT" otherwise. The message's
/// first line takes the kind (and loses a "Kind: " of its own); each further
/// line becomes a note. Lines are trimmed of blanks, empty ones left out;
/// each ends with LF.
std::u16string diagnosticLines(std::u16string_view kind, const base::SourceLocation& where,
                               std::u16string_view message);

/// The shell's way of telling: diagnostics on standard error, no windows.
/// Counts what went wrong besides a fatal error, for the exit status.
class ConsoleReporter : public Reporter {
 public:
  void fatalError(std::u16string_view message, const base::SourceLocation& where) override;
  void note(std::u16string_view message, const base::SourceLocation& where) override;
  void pioError(std::u16string_view statement, const base::SourceLocation& where) override;
  void writeFailed(std::u16string_view message) override;
  /// The report goes where the caller asked for it; no window.
  void pioCheck(const PioCheck&) override {}
  void runLog(std::u16string_view, const std::vector<std::u16string>&) override {}

  /// Errors that did not stop the run (PIO errors, lost reports).
  int errorCount() const { return errorCount_; }
  /// What could not be written to standard error (there is none, say).
  const std::u16string& unwritten() const { return unwritten_; }

  /// Writes diagnostic lines to standard error, keeping what does not get there.
  void write(const std::u16string& lines);

 private:
  int errorCount_ = 0;
  std::u16string unwritten_;
};

}  // namespace app
