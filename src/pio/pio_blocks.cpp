#include "pio/pio_blocks.h"

#include <utility>

#include "base/logs.h"
#include "pio/block_text.h"
#include "pio/decoder.h"
#include "pio/gpio_base.h"
#include "pio/guidance.h"
#include "pio/line_pass.h"
#include "pio/line_words.h"
#include "pio/pio_file.h"
#include "pio/pio_line.h"
#include "pio/program_include.h"
#include "text/lines.h"

namespace pio {

namespace {

constexpr std::u16string_view kCommentNotClosed = u"/* comment not closed before #PIOEND";
constexpr std::u16string_view kCodeBlockNotClosed = u"% block not closed before #PIOEND";
constexpr std::u16string_view kIncludeForm = u"expected .include \"FILE.pio\" [PROGRAM]";
constexpr std::u16string_view kIncludeUnreadable = u"cannot read the .pio file";

// The report of a program assembled alone to check it: what counts is the
// errors it keeps, which the caller reports.
class SilentLogs : public base::Logs {
 public:
  void logLine(std::u16string_view) override {}
  void pioErrorLine(std::u16string_view) override {}
  void startRunLog() override {}
  bool runLogStarted() const override { return false; }
  void note(std::u16string_view) override {}
};

// Tabs are blanks in a PIO line.
std::u16string_view trimmedCode(std::u16string_view s) {
  auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// A state machine the block gave instructions to wraps after its last one
// and back to its first, unless the block placed those points itself.
void applyImplicitWrap(BlockState& block) {
  for (int p = 0; p < kPioBlockCount; ++p) {
    for (int s = 0; s < kStateMachineCount; ++s) {
      const MachineUse& use = block.use[p][s];
      if (!use.slotTaken) continue;
      RegisterImages& images = block.registers[p][s];
      if (!use.wrapWritten && use.lastSlot <= kLastAddress) {
        images.set({{Field::wrapTop, use.lastSlot}});
      }
      if (!use.wrapTargetWritten && use.firstSlot <= kLastAddress) {
        images.set({{Field::wrapBottom, use.firstSlot}});
      }
    }
  }
}

}  // namespace

PioBlocks::PioBlocks(base::Logs& logs, PioFileReader* files) : logs_(logs), files_(files) {}

void PioBlocks::readOptions(std::u16string_view lineBuffer) {
  applyPasmConfig(options_, lineBuffer);
}

void PioBlocks::setDefaultChip(Chip chip) { options_.chip = chip; }

void PioBlocks::restartReading() {
  // A block left open at the end of the source does not swallow the first
  // lines of the next reading.
  position_ = {};
  pio_.placement = {};
}

void PioBlocks::startBlock(Reading reading) {
  position_ = {.inBlock = true};
  ++pio_.placement.blockNumber;
  // A block without ".program" has no name, whatever the block before it had.
  pio_.symbols.programName.clear();
  // Decode mode also governs slot counting in the first reading, so both
  // readings count the same slots.
  pio_.decoding = false;
  if (reading == Reading::second) {
    pio_.block = BlockState::forChip(pio_.symbols.chipOfBlock(pio_.placement.blockNumber, options_.chip));
    setGpioBases(pio_);
  }
}

std::u16string PioBlocks::endBlock(Reading reading, base::RunMode mode) {
  const Position ended = std::exchange(position_, {});
  pio_.decodeListing = {};
  if (reading == Reading::first) return {};
  // Everything after the opening mark was passed over: say so, or a program
  // cut short would pass with "No errors".
  if (ended.inCComment) {
    logs_.pioErrorLine(u"#PIOEND");
    reportPioError(pio_, logs_, ErrorKind::gen, kCommentNotClosed, u"/*");
  }
  if (ended.inCodeBlock) {
    logs_.pioErrorLine(u"#PIOEND");
    reportPioError(pio_, logs_, ErrorKind::gen, kCodeBlockNotClosed, u"%");
  }
  applyImplicitWrap(pio_.block);
  std::u16string block = generatedBlockText(pio_, options_);
  if (mode == base::RunMode::pioCheck && !pio_.decoding) logs_.pioErrorLine(block);
  return pio_.block.text.instructionSummary + std::u16string(text::kCrLf) + block;
}

std::optional<std::u16string> PioBlocks::codeOf(std::u16string_view line) {
  std::u16string_view trimmed = trimmedCode(line);
  if (position_.inCodeBlock) {
    position_.inCodeBlock = trimmed != u"%}";
    return std::nullopt;
  }
  std::u16string code = blankBlockComments(line, position_.inCComment);
  trimmed = trimmedCode(code);
  if (trimmed.starts_with(u'%') && trimmed.ends_with(u'{')) {
    position_.inCodeBlock = true;
    return std::nullopt;
  }
  return code;
}

void PioBlocks::firstPassLine(std::u16string_view line) {
  std::optional<std::u16string> code = codeOf(line);
  if (!code) return;
  if (std::optional<IncludeRequest> request = includeRequestOf(*code)) {
    includeLine(Reading::first, line, *request, false);
    return;
  }
  PioContext ctx = context();
  pioFirstPassLine(ctx, *code);
}

void PioBlocks::secondPassLine(std::u16string_view line, bool pioCheckMode, LinePlace place) {
  pio_.place = place;
  // The passes see C-style comments blanked out; the listing keeps the line.
  std::optional<std::u16string> code = codeOf(line);
  if (!code) return;
  if (std::optional<IncludeRequest> request = includeRequestOf(*code)) {
    includeLine(Reading::second, line, *request, pioCheckMode);
    return;
  }
  PioContext ctx = context();
  std::u16string label;
  LineResult result = pioSecondPassLine(ctx, *code, &label);
  listLine(line, result, label, pioCheckMode);
}

void PioBlocks::listLine(std::u16string_view line, LineResult result, const std::u16string& label,
                         bool pioCheckMode) {
  const Outcome outcome = result.outcome;
  if (pioCheckMode && (outcome == Outcome::word || outcome == Outcome::directive ||
                       outcome == Outcome::listingComment)) {
    logs_.pioErrorLine(line);
  }
  PioBlockText& text = pio_.block.text;
  std::u16string crlf(text::kCrLf);
  // A decoded block lists nothing of its own program, and a line kept whole
  // as a comment already shows its label.
  if (!label.empty() && !pio_.decoding && outcome != Outcome::listingComment) {
    text.programLines += u";" + label + crlf;
  }
  if (outcome == Outcome::word) {
    PioContext ctx = context();
    int address = pio_.programCounter() - 1;
    std::u16string decoded = decodeForCurrentMachine(ctx, result.word);
    size_t width = options_.noHints ? 30 : 48;
    appendInstruction(text, pio_.placement.currentPio, address, result.word,
                      listingTail(decoded, listingComment(line), width));
  } else if (outcome == Outcome::listingComment) {
    text.programLines += u";" + std::u16string(line) + crlf;
  }
}

PioBlocks::LoadedFile& PioBlocks::load(const std::u16string& name) {
  auto [found, added] = loaded_.try_emplace(name);
  LoadedFile& loaded = found->second;
  if (!added) return loaded;
  loaded.path = name;
  std::optional<std::u16string> text = files_ != nullptr ? files_->read(name, loaded.path) : std::nullopt;
  if (text) loaded.file = std::make_shared<const PioFile>(loaded.path, *text);
  return loaded;
}

void PioBlocks::includeLine(Reading reading, std::u16string_view line,
                            const IncludeRequest& request, bool pioCheckMode) {
  std::u16string message;
  std::u16string detail;
  std::optional<size_t> program;
  LoadedFile* loaded = request.file.empty() ? nullptr : &load(request.file);
  if (loaded == nullptr) {
    message = kIncludeForm;
    detail = trimmedCode(line);
  } else if (!loaded->file) {
    message = kIncludeUnreadable;
    detail = loaded->path;
  } else {
    program = chooseProgram(*loaded->file, request.program, message, detail);
  }
  if (reading == Reading::first) {
    if (!program) return;
    loaded->included.insert(*program);
    includeProgram(reading, loaded->file, *program, false);
    return;
  }
  const LinePlace place = pio_.place;
  if (!program) {
    logs_.pioErrorLine(line);
    reportPioError(pio_, logs_, ErrorKind::gen, message, detail);
    if (loaded != nullptr && loaded->file) reportLinesOfFileWithoutProgram(*loaded);
    pio_.place = place;
    return;
  }
  if (pioCheckMode) logs_.pioErrorLine(line);
  reportOtherPrograms(*loaded, *program);
  includeProgram(reading, loaded->file, *program, pioCheckMode);
  pio_.place = place;
}

void PioBlocks::includeProgram(Reading reading, const std::shared_ptr<const PioFile>& file,
                               size_t index, bool pioCheckMode) {
  beginIncludedProgram(pio_, *file, index);
  // Built for the RP2350, the SDK assembles .pio files as PIO version 1
  // unless they say otherwise (pioasm -v 1).
  if (reading == Reading::second && pio_.block.chip == Chip::rp2350) pio_.block.versionOne = true;
  const PioFileProgram& program = file->programs()[index];
  auto read = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
      const PioFileLine& line = file->lines()[i];
      pio_.place = {file->path(), line.number};
      PioContext ctx = context();
      if (reading == Reading::first) {
        pioFirstPassFileLine(ctx, line);
        continue;
      }
      std::u16string label;
      LineResult result = pioSecondPassFileLine(ctx, line, &label);
      listLine(line.text, result, label, pioCheckMode);
    }
  };
  // The lines before the first program hold what every program sees.
  read(0, file->globalEnd());
  read(program.firstLine, program.endLine);
  pio_.block.including.reset();
}

// The file is refused whole, as the reference assembler refuses it, when any
// of its programs has an error; each is assembled alone, for the chip it
// asks for, to find out. One the run includes itself reports its own.
void PioBlocks::reportOtherPrograms(LoadedFile& loaded, size_t included) {
  if (std::exchange(loaded.othersChecked, true)) return;
  const PioFile& file = *loaded.file;
  for (size_t p = 0; p < file.programs().size(); ++p) {
    if (p == included || loaded.included.contains(p)) continue;
    const PioFileProgram& program = file.programs()[p];
    for (const PioDiagnostic& error : errorsOfProgram(loaded.file, p, pio_.block.chip)) {
      const size_t line = static_cast<size_t>(error.line - 1);
      if (line < program.firstLine || line >= program.endLine) continue;
      pio_.place = {file.path(), error.line};
      echoForReport(logs_, pio_.place, file.lines()[line].text, true);
      reportPioError(pio_, logs_, ErrorKind::gen, error.message, u"program " + program.name);
    }
  }
}

// What pioasm refuses in a file without a program (a directive outside a
// program, ...) says more than that it holds none.
void PioBlocks::reportLinesOfFileWithoutProgram(LoadedFile& loaded) {
  const PioFile& file = *loaded.file;
  if (!file.programs().empty() || std::exchange(loaded.othersChecked, true)) return;
  for (const PioFileLine& line : file.lines()) {
    if (line.error.empty()) continue;
    pio_.place = {file.path(), line.number};
    echoForReport(logs_, pio_.place, line.text, true);
    reportPioError(pio_, logs_, ErrorKind::gen, line.error, line.errorDetail);
  }
}

std::vector<PioDiagnostic> errorsOfProgram(const std::shared_ptr<const PioFile>& file,
                                           size_t program, Chip chip) {
  SilentLogs silent;
  PioBlocks alone(silent);
  alone.setDefaultChip(chip);
  for (Reading reading : {Reading::first, Reading::second}) {
    alone.restartReading();
    alone.startBlock(reading);
    alone.includeProgram(reading, file, program, false);
    alone.endBlock(reading, base::RunMode::corvane);
  }
  return alone.diagnostics();
}

}  // namespace pio
