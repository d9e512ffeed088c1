#include "pio/file_translation.h"

#include <array>
#include <optional>
#include <unordered_set>

#include "pio/guidance.h"
#include "pio/pio_blocks.h"
#include "pio/pio_file.h"
#include "pio/program_include.h"
#include "text/lines.h"
#include "text/numbers.h"

namespace pio {

namespace {

using Slots = std::array<bool, kLastAddress + 1>;

bool freeAt(const Slots& used, int32_t start, int32_t size) {
  if (start < 0 || start + size > kLastAddress + 1) return false;
  for (int32_t i = start; i < start + size; ++i) {
    if (used[i]) return false;
  }
  return true;
}

void take(Slots& used, int32_t start, int32_t size) {
  for (int32_t i = start; i < start + size; ++i) used[i] = true;
}

PioDiagnostic errorAt(const PioFile& file, size_t program, std::u16string message) {
  const PioFileProgram& at = file.programs()[program];
  return {file.path(), static_cast<int32_t>(at.firstLine + 1), message + u" (" + at.name + u")"};
}

// Where each program starts: those with an ".origin" there, the others in
// turn at the lowest address where they fit. nullopt, with errors, when
// they do not all fit.
std::optional<std::vector<int32_t>> placePrograms(const PioFile& file,
                                                  std::vector<PioDiagnostic>& errors) {
  const auto& programs = file.programs();
  std::vector<int32_t> starts(programs.size(), -1);
  Slots used{};
  for (size_t p = 0; p < programs.size(); ++p) {
    std::optional<int32_t> origin = programOrigin(file, p);
    if (!origin) continue;
    if (!freeAt(used, *origin, programs[p].size)) {
      errors.push_back(errorAt(file, p, u"the program does not fit at its .origin " +
                                            text::decimal(*origin) + u" beside the others"));
      continue;
    }
    starts[p] = *origin;
    take(used, *origin, programs[p].size);
  }
  int32_t total = 0;
  for (const PioFileProgram& program : programs) total += program.size;
  for (size_t p = 0; p < programs.size() && errors.empty(); ++p) {
    if (starts[p] >= 0 || programOrigin(file, p)) continue;
    int32_t start = 0;
    while (start <= kLastAddress && !freeAt(used, start, programs[p].size)) ++start;
    if (start > kLastAddress || !freeAt(used, start, programs[p].size)) {
      errors.push_back(errorAt(file, p, u"the programs need " + text::decimal(total) +
                                            u" instructions together; a PIO block holds 32"));
      break;
    }
    starts[p] = start;
    take(used, start, programs[p].size);
  }
  if (!errors.empty()) return std::nullopt;
  return starts;
}

// One program's block, in one reading.
std::u16string programBlock(PioBlocks& blocks, Reading reading,
                            const std::shared_ptr<const PioFile>& file, size_t program,
                            int pioBlock, Chip chip, int32_t start, bool pioCheck) {
  const base::RunMode mode = pioCheck ? base::RunMode::pioCheck : base::RunMode::corvane;
  blocks.startBlock(reading);
  std::vector<std::u16string> header = {u".chip " + std::u16string(chipName(chip)),
                                        u".pio " + text::decimal(pioBlock),
                                        u".sm " + text::decimal(static_cast<int64_t>(program))};
  if (!programOrigin(*file, program)) header.push_back(u".origin " + text::decimal(start));
  for (const std::u16string& line : header) {
    if (reading == Reading::first) {
      blocks.firstPassLine(line);
    } else {
      blocks.secondPassLine(line, pioCheck, {file->path(), 0});
    }
  }
  blocks.includeProgram(reading, file, program, pioCheck);
  return blocks.endBlock(reading, mode);
}

// The chip a file is for when the run names none.
Chip chipOfFile(const PioFile& file) {
  for (const PioFileProgram& program : file.programs()) {
    if (program.versionOne) return Chip::rp2350;
  }
  return Chip::rp2040;
}

}  // namespace

PioFileTranslation translatePioFile(const std::shared_ptr<const PioFile>& file,
                                    const PioFileTarget& target, base::Logs& logs, bool pioCheck) {
  PioFileTranslation out;
  const auto& programs = file->programs();
  const int pioBlock = target.pioBlock;
  const Chip chip = target.chip.value_or(chipOfFile(*file));
  if (pioBlock < 0 || pioBlock >= pioBlocksOf(chip)) {
    std::u16string message = chip == Chip::rp2350 ? std::u16string(kPioRangeRp2350) + text::decimal(pioBlock)
                             : pioBlock == 2      ? std::u16string(kThirdPioBlockOfRun)
                                                  : std::u16string(kPioRange) + text::decimal(pioBlock);
    out.errors.push_back({file->path(), 0, message});
    return out;
  }
  if (programs.empty()) {
    // What pioasm refuses in such a file (a directive outside a program, ...)
    // says more than that it holds none.
    for (const PioFileLine& line : file->lines()) {
      if (line.error.empty()) continue;
      const std::u16string detail = line.errorDetail.empty() ? u"" : u" (" + line.errorDetail + u")";
      out.errors.push_back({file->path(), line.number, line.error + detail});
    }
    if (out.errors.empty()) out.errors.push_back({file->path(), 0, u"the .pio file holds no program"});
    return out;
  }
  std::optional<std::vector<int32_t>> starts;
  if (programs.size() > static_cast<size_t>(kStateMachineCount)) {
    out.errors.push_back(errorAt(*file, kStateMachineCount,
                                 u"the file holds " + text::decimal(static_cast<int64_t>(programs.size())) +
                                     u" programs; a PIO block has 4 state machines"));
  } else {
    starts = placePrograms(*file, out.errors);
  }
  if (!starts) {
    // The file's own errors still show, each program assembled alone.
    std::vector<PioDiagnostic> all = errorsOfProgram(file, 0, chip);
    for (size_t p = 1; p < programs.size(); ++p) {
      for (PioDiagnostic& error : errorsOfProgram(file, p, chip)) {
        const size_t line = static_cast<size_t>(error.line - 1);
        if (line >= programs[p].firstLine && line < programs[p].endLine) all.push_back(std::move(error));
      }
    }
    out.errors.insert(out.errors.end(), all.begin(), all.end());
    return out;
  }
  PioBlocks blocks(logs);
  for (Reading reading : {Reading::first, Reading::second}) {
    blocks.restartReading();
    for (size_t p = 0; p < programs.size(); ++p) {
      std::u16string block =
          programBlock(blocks, reading, file, p, pioBlock, chip, (*starts)[p], pioCheck);
      if (reading == Reading::first) continue;
      out.text += u"'.include \"" + file->path() + u"\" " + programs[p].name + text::kCrLf;
      out.text += block + text::kCrLf;
    }
  }
  // The lines before the first program are read with every program: their
  // errors count once.
  std::unordered_set<std::u16string> seen;
  for (const PioDiagnostic& error : blocks.diagnostics()) {
    if (seen.insert(error.file + u":" + text::decimal(error.line) + u":" + error.message).second) {
      out.errors.push_back(error);
    }
  }
  return out;
}

}  // namespace pio
