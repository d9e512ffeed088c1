#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/run_request.h"

namespace platform {
class Host;
}

namespace app {

/// The shell's options as given, before any file is looked at.
struct ShellOptions {
  std::u16string source;
  base::RunMode mode = base::RunMode::corvane;
  std::optional<std::u16string> output;
  std::optional<std::u16string> lineMap;
  std::optional<std::u16string> pioReport;
  std::optional<std::u16string> log;
  std::optional<std::u16string> data;
  std::optional<std::u16string> host;
  /// --pio N: the PIO block of a .pio SOURCE.
  std::optional<int> pioBlock;
  /// --chip rp2040|rp2350: the chip of every PIO program that names none.
  std::optional<pio::Chip> chip;
};

/// What a shell command line asks for.
struct ShellCommand {
  enum class Asked { run, help, version, usageError };
  Asked asked = Asked::run;
  ShellOptions options;
  /// For a usage error: what is wrong, in a few words.
  std::u16string error;
};

/// Reads "prexle [OPTION]... SOURCE" (program name not included). Options
/// are read in order, so "--help" before a mistake still gets the help.
ShellCommand readShellCommand(const std::vector<std::u16string>& arguments);

/// The run the options ask for: no hand-off, no window, the working files
/// only where named. A SOURCE that cannot be read, an output into a folder
/// that does not exist or a data folder that cannot be made stops the run.
RunRequest shellFormRequest(const ShellOptions& options);

/// The whole shell form: help, version, usage errors (exit status 2), or the
/// run with its diagnostics on standard error (0, or 1 after errors).
int runShellForm(const std::vector<std::u16string>& arguments, platform::Host& host);

}  // namespace app
