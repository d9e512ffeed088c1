#include "app/shell_form.h"

#include <array>

#include "app/console_reporter.h"
#include "app/run_once.h"
#include "app/run_state.h"
#include "app/shell_help.h"
#include "app/shell_options.h"
#include "app/startup.h"
#include "base/fatal_error.h"
#include "platform/console.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/path_kind.h"
#include "text/case_table.h"
#include "text/utf8.h"
#include "ui/fatal_error_window.h"

namespace app {
namespace {

enum Option : size_t { kMode, kOutput, kLineMap, kPioReport, kLog, kData, kHost, kPio, kChip, kHelp, kVersion };

constexpr OptionDef kOptions[] = {
    {u"mode", u'm', true},        {u"output", u'o', true}, {u"line-map", 0, true},
    {u"pio-report", 0, true},     {u"log", 0, true},       {u"data", 0, true},
    {u"host", 0, true},           {u"pio", 0, true},       {u"chip", 0, true},
    {u"help", u'h', false},       {u"version", 0, false},
};

constexpr std::u16string_view kNoHost =
    u"#ARRAYGENERATE runs the array generator Vemtor.exe, which lives in the folder of the companion "
    u"programs: name that folder with --host DIR";

std::u16string quoted(std::u16string_view text) { return u"'" + std::u16string(text) + u"'"; }
std::u16string shown(const std::u16string& path) { return quoted(platform::nativePath(path)); }

std::optional<base::RunMode> modeNamed(std::u16string_view name) {
  const std::u16string lower = text::lower(name);
  if (lower == u"corvane") return base::RunMode::corvane;
  if (lower == u"brisko") return base::RunMode::brisko;
  if (lower == u"piocheck") return base::RunMode::pioCheck;
  return std::nullopt;
}

std::optional<std::u16string>* fileOption(ShellOptions& options, size_t option) {
  switch (option) {
    case kOutput: return &options.output;
    case kLineMap: return &options.lineMap;
    case kPioReport: return &options.pioReport;
    case kLog: return &options.log;
    case kData: return &options.data;
    case kHost: return &options.host;
    default: return nullptr;
  }
}

// A PIO block number as written: a few digits, nothing else.
std::optional<int> blockNumber(std::u16string_view text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  int number = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    number = number * 10 + (c - u'0');
  }
  return number;
}

bool namesPioFile(std::u16string_view source) { return text::lower(extensionOf(source)) == u".pio"; }

// What the options ask for together that none of them says alone.
std::u16string combinationError(const ShellOptions& options) {
  if (namesPioFile(options.source)) {
    if (options.mode == base::RunMode::brisko) {
      return u"--mode brisko prepares a program for Brisko; a .pio SOURCE is turned into commands as a "
             u"whole: use corvane or piocheck";
    }
    if (options.lineMap) return u"--line-map belongs to a program; a .pio SOURCE has no line map";
  } else if (options.pioBlock) {
    return u"--pio picks the PIO block of a .pio SOURCE; in a program, a block's .pio line does";
  }
  if (options.lineMap && options.mode != base::RunMode::brisko) {
    return u"--line-map needs --mode brisko: only a brisko run has a line map";
  }
  if (options.lineMap == u"-") return u"--line-map writes a file, not standard output";
  int toStandardOutput = 0;
  for (const auto* option : {&options.output, &options.pioReport, &options.log}) {
    if (*option == u"-") ++toStandardOutput;
  }
  if (toStandardOutput > 1) return u"only one of --output, --pio-report and --log can write to standard output";
  return {};
}

ShellCommand asking(ShellCommand::Asked asked, std::u16string error = {}) {
  ShellCommand command;
  command.asked = asked;
  command.error = std::move(error);
  return command;
}

ShellCommand usageError(std::u16string error) { return asking(ShellCommand::Asked::usageError, std::move(error)); }

// A file the run is to write: it must not be a folder, and its folder must be there.
void checkWritable(const std::u16string& path, std::u16string_view what) {
  const std::u16string intro = u"cannot write " + std::u16string(what) + u" to " + shown(path);
  if (platform::pathKind(path) == platform::PathKind::folder) base::fail(intro + u": it is a folder");
  const std::u16string folder = folderOf(path);
  if (!folder.empty() && platform::pathKind(folder) != platform::PathKind::folder) {
    base::fail(intro + u": there is no folder " + shown(folder));
  }
}

Destination destinationOf(const std::optional<std::u16string>& option, std::u16string_view what) {
  if (!option) return {};
  if (*option == u"-") return Destination::standardOutput();
  checkWritable(*option, what);
  return Destination::file(*option);
}

void checkSource(const std::u16string& path) {
  const std::u16string intro = u"cannot read " + shown(path);
  switch (platform::pathKind(path)) {
    case platform::PathKind::missing: base::fail(intro + u": there is no such file");
    case platform::PathKind::folder: base::fail(intro + u": it is a folder");
    case platform::PathKind::file: break;
  }
  if (!platform::canOpenForReading(path)) base::fail(intro + u": it cannot be opened");
}

// Every folder on the way is made; an existing one is fine.
void createFolders(const std::u16string& folder) {
  for (size_t end = folder.find_first_of(u"\\/", 1); end != std::u16string::npos;
       end = folder.find_first_of(u"\\/", end + 1)) {
    platform::createFolder(folder.substr(0, end));
  }
  if (platform::pathKind(folder) != platform::PathKind::folder) {
    base::fail(u"cannot make the data folder " + shown(folder));
  }
}

std::u16string dataFolderOf(const ShellOptions& options, const std::u16string& hostFolder) {
  if (options.data) return withSeparator(*options.data);
  const std::u16string xdg = platform::xdgDataHome();
  return xdg.empty() ? editorDataFolder(hostFolder) : withSeparator(xdg) + u"prexle\\";
}

}  // namespace

ShellCommand readShellCommand(const std::vector<std::u16string>& arguments) {
  const ParsedArguments parsed = parseArguments(arguments, kOptions);
  ShellCommand command;
  ShellOptions& options = command.options;
  for (const GivenOption& given : parsed.options) {
    if (given.option == kHelp) return asking(ShellCommand::Asked::help);
    if (given.option == kVersion) return asking(ShellCommand::Asked::version);
    if (given.option == kMode) {
      const auto mode = modeNamed(given.value);
      if (!mode) return usageError(u"invalid mode " + quoted(given.value) + u"; use corvane, brisko or piocheck");
      options.mode = *mode;
    } else if (given.option == kChip) {
      options.chip = pio::chipNamed(text::lower(given.value));
      if (!options.chip) return usageError(u"invalid chip " + quoted(given.value) + u"; use rp2040 or rp2350");
    } else if (given.option == kPio) {
      options.pioBlock = blockNumber(given.value);
      if (!options.pioBlock) return usageError(u"invalid PIO block " + quoted(given.value) + u"; give its number");
    } else if (given.value.empty()) {
      return usageError(u"option " + quoted(u"--" + std::u16string(kOptions[given.option].longName)) +
                        u" needs a name");
    } else {
      *fileOption(options, given.option) = given.value;
    }
  }
  if (!parsed.error.empty()) return usageError(parsed.error);
  if (parsed.operands.empty()) return usageError(u"missing SOURCE");
  if (parsed.operands.size() > 1) {
    std::u16string error = u"more than one SOURCE:";
    for (const auto& operand : parsed.operands) error += u" " + quoted(operand);
    return usageError(error);
  }
  if (parsed.operands[0] == u"-") return usageError(u"SOURCE must name a file: standard input is not read");
  options.source = parsed.operands[0];
  std::u16string error = combinationError(options);
  if (!error.empty()) return usageError(std::move(error));
  return command;
}

RunRequest shellFormRequest(const ShellOptions& options) {
  RunRequest request;
  // With the platform's own separators: the path appears in diagnostics.
  request.sourcePath = platform::nativePath(fullPath(options.source));
  checkSource(request.sourcePath);
  const bool pio = namesPioFile(request.sourcePath);
  request.sourceKind = pio ? SourceKind::pioProgram : SourceKind::basicProgram;
  request.pioBlock = options.pioBlock.value_or(0);
  request.chip = options.chip;
  request.mode = options.mode;
  const bool brisko = options.mode == base::RunMode::brisko;
  if (options.output == u"-") {
    request.result = Sink::standardOutput;
  } else if (options.output) {
    checkWritable(*options.output, u"the result");
    request.outputPath = *options.output;
  }
  if (options.lineMap) request.lineMapPath = destinationOf(options.lineMap, u"the line map").path;
  request.pioReport = destinationOf(options.pioReport, u"the PIO report");
  request.runLog = destinationOf(options.log, u"the run log");
  if (options.host) {
    request.hostFolder = withSeparator(*options.host);
    if (platform::pathKind(request.hostFolder) != platform::PathKind::folder) {
      base::fail(u"the folder of the companion programs " + shown(request.hostFolder) + u" does not exist");
    }
    request.arrayGenerator = {request.hostFolder + std::u16string(pre::kArrayGenerator), {}};
  } else {
    request.arrayGenerator = {{}, std::u16string(kNoHost)};
  }
  request.dataFolder = dataFolderOf(options, request.hostFolder);
  createFolders(request.dataFolder);
  // A .pio file's commands are for pasting or piping: no file of the editor's
  // stands for them. A program's result goes where the editor puts it, that
  // path last, since in brisko mode it makes the folder X.
  if (!options.output && pio) {
    request.result = Sink::standardOutput;
  } else if (!options.output) {
    request.outputPath = brisko ? outputPathInFolderX(request.sourcePath)
                                : outputPathBesideSource(request.sourcePath, extensionOf(request.sourcePath));
  }
  return request;
}

int runShellForm(const std::vector<std::u16string>& arguments, platform::Host& host) {
  const ShellCommand command = readShellCommand(arguments);
  ConsoleReporter reporter;
  int status = 0;
  switch (command.asked) {
    case ShellCommand::Asked::help: return platform::writeStandardOutput(text::encodeUtf8(shellHelp())) ? 0 : 1;
    case ShellCommand::Asked::version:
      return platform::writeStandardOutput(text::encodeUtf8(shellVersion())) ? 0 : 1;
    case ShellCommand::Asked::usageError:
      reporter.write(u"prexle: error: " + command.error + u"\n" + helpHint());
      status = 2;
      break;
    case ShellCommand::Asked::run: {
      const RunOutcome outcome =
          runRequest([&command] { return shellFormRequest(command.options); }, reporter, host);
      status = outcome.resultWritten && outcome.pioErrors == 0 && reporter.errorCount() == 0 ? 0 : 1;
      break;
    }
  }
  // Without a console or a stream to write to (started from a desktop, say),
  // a window is the only way left to say what went wrong.
  if (!reporter.unwritten().empty()) {
    std::u16string message;
    for (char16_t c : reporter.unwritten()) message += c == u'\n' ? std::u16string(u"\r\n") : std::u16string(1, c);
    host.showWindow(ui::fatalErrorWindow(kVersionText, message));
  }
  return status;
}

}  // namespace app
