#pragma once

#include <optional>
#include <string>
#include <utility>

#include "base/run_mode.h"
#include "preprocessor/array_blocks.h"
#include "pio/register_fields.h"

namespace app {

/// What the source file holds.
enum class SourceKind {
  basicProgram,
  /// A PIO program on its own (a ".pio" file).
  pioProgram,
};

/// Where a text the run produces goes.
enum class Sink { none, file, standardOutput };

/// A report's sink and, for a file, its path.
struct Destination {
  Sink sink = Sink::none;
  std::u16string path;

  static Destination file(std::u16string path) { return {Sink::file, std::move(path)}; }
  static Destination standardOutput() { return {Sink::standardOutput, {}}; }
};

/// What a caller asks of one run, whichever way the tool was started: plain
/// values, so the run needs to know nothing of the command line. Paths are
/// as the run uses them; folders end with a separator.
struct RunRequest {
  /// The source, as a full path.
  std::u16string sourcePath;
  SourceKind sourceKind = SourceKind::basicProgram;
  base::RunMode mode = base::RunMode::corvane;
  /// The result goes to the file outputPath or to standard output.
  Sink result = Sink::file;
  std::u16string outputPath;
  /// The line map of a Brisko run; empty: none is written.
  std::u16string lineMapPath;
  /// The PIO report ("PasmErrors.txt" for the editor) and the #DEBUG run log.
  Destination pioReport;
  Destination runLog;
  /// The working folder: the settings file "MMmodule.inf".
  std::u16string dataFolder;
  /// The folder of the companion programs (the targets); empty: none.
  std::u16string hostFolder;
  pre::GeneratorProgram arrayGenerator;
  /// For a .pio source: the PIO block its programs go to.
  int pioBlock = 0;
  /// The chip the PIO programs are for, where they name none; not given:
  /// the RP2040, or for a .pio source the chip its programs ask for.
  std::optional<pio::Chip> chip;
  /// At the end the result is handed over: the target program started or
  /// the result typed into WinBasic, and the clipboard filled.
  bool handOff = false;
};

}  // namespace app
