#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace base {
struct SourceLocation;
}

namespace app {

/// What the PIO check at the end of a run shows.
struct PioCheck {
  /// A PIOCHECK run asks for it; in other runs their errors bring it up.
  bool requested = false;
  int errorCount = 0;
  std::vector<std::u16string> reportLines;
};

/// Everything a run tells its user, whichever way the tool was started: the
/// editor's windows, or lines on standard error for a shell. The run calls
/// it the same way in both cases.
class Reporter {
 public:
  virtual ~Reporter() = default;

  /// The error that stopped the run (lines separated by CR LF), at the line
  /// under way when there is one.
  virtual void fatalError(std::u16string_view message, const base::SourceLocation& where) = 0;

  /// A note that does not stop the run, at a source line when it has one.
  virtual void note(std::u16string_view message, const base::SourceLocation& where) = 0;

  /// One PIO error, in the line that states it; the report holds its
  /// guidance.
  virtual void pioError(std::u16string_view statement, const base::SourceLocation& where) = 0;

  /// A report or log the run writes lost some of its lines; the run goes on.
  virtual void writeFailed(std::u16string_view message) = 0;

  /// The PIO check at the end of a run.
  virtual void pioCheck(const PioCheck& check) = 0;

  /// The run log at the end of a run that met #DEBUG: where it was written
  /// and its lines.
  virtual void runLog(std::u16string_view path, const std::vector<std::u16string>& lines) = 0;
};

}  // namespace app
