#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pio/file_translation.h"
#include "pio/pio_assembler.h"
#include "pio/program_include.h"

namespace base {
class Logs;
}

namespace pre {
struct SourceFolders;
}

namespace app {

/// Reads the .pio files of ".include" lines as #INCLUDE reads its files:
/// from the source's folder, through the platform layer. The path handed
/// back is the file's, in the platform's form.
class PioIncludeFiles final : public pio::PioFileReader {
 public:
  explicit PioIncludeFiles(const pre::SourceFolders& folders) : folders_(folders) {}
  std::optional<std::u16string> read(std::u16string_view name, std::u16string& path) override;

 private:
  const pre::SourceFolders& folders_;
};

/// Whether a source is a .pio file rather than a program: its name ends in
/// ".pio", in any case.
bool isPioSource(std::u16string_view path);

/// What turning a .pio file into MMBasic commands gave.
struct PioSourceResult {
  /// The commands for every program of the file, CR LF lines; empty when the
  /// programs could not be placed.
  std::u16string text;
  /// Each error with its file and line (0: the file as a whole).
  std::vector<pio::PioDiagnostic> errors;
  /// 0 when there were no errors, 1 otherwise; text, when not empty, is
  /// written either way, as a run with PIO errors writes its result.
  int status = 0;
};

/// Turns the .pio file at sourcePath into MMBasic commands for the target's
/// PIO block and chip; the PIO report, which the check window shows, goes
/// line by line to report. A file that cannot be read stops the run.
PioSourceResult translatePioSource(const std::u16string& sourcePath, const pio::PioFileTarget& target,
                                   base::Logs& report, bool pioCheck = false);

}  // namespace app
