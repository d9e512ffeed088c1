#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "pio/line_pass.h"
#include "pio/options.h"
#include "pio/pio_assembler.h"
#include "pio/pio_blocks.h"
#include "support/recording_logs.h"
#include "text/lines.h"

namespace pio_test {

using testing_support::RecordingLogs;

// An assembler with its options and recorded output, driven line by line.
struct Assembler {
  pio::PioAssembler pio;
  pio::PasmOptions options;
  RecordingLogs logs;

  pio::PioContext context() { return {pio, options, logs}; }

  void first(std::u16string_view line) {
    pio::PioContext ctx = context();
    pio::pioFirstPassLine(ctx, line);
  }

  pio::LineResult second(std::u16string_view line) {
    pio::PioContext ctx = context();
    return pio::pioSecondPassLine(ctx, line);
  }

  // Both readings over the same lines, as the read loop does for one block;
  // returns the second pass's result per line.
  std::vector<pio::LineResult> assemble(std::initializer_list<std::u16string_view> lines) {
    for (std::u16string_view line : lines) first(line);
    pio.placement = {};
    std::vector<pio::LineResult> results;
    for (std::u16string_view line : lines) results.push_back(second(line));
    return results;
  }

  // The instruction words among the results.
  std::vector<int> words(std::initializer_list<std::u16string_view> lines) {
    std::vector<int> out;
    for (pio::LineResult result : assemble(lines)) {
      if (result.outcome == pio::Outcome::word) out.push_back(result.word);
    }
    return out;
  }
};

// Drives PioBlocks as the read loop does: the first reading feeds the first
// pass, the second assembles and returns the text of each block end.
struct Reader {
  using Lines = std::vector<std::u16string>;

  RecordingLogs logs;
  pio::PioBlocks blocks{logs};
  bool pioCheck = false;

  Lines read(const std::vector<Lines>& sourceBlocks) {
    const base::RunMode mode = pioCheck ? base::RunMode::pioCheck : base::RunMode::corvane;
    for (const Lines& block : sourceBlocks) {
      blocks.startBlock(pio::Reading::first);
      for (const auto& line : block) blocks.firstPassLine(line);
      blocks.endBlock(pio::Reading::first, mode);
    }
    blocks.restartReading();
    Lines generated;
    for (const Lines& block : sourceBlocks) {
      blocks.startBlock(pio::Reading::second);
      for (const auto& line : block) blocks.secondPassLine(line, pioCheck);
      generated.push_back(blocks.endBlock(pio::Reading::second, mode));
    }
    return generated;
  }

  Lines readLines(const Lines& block) { return text::splitLines(read({block}).front()); }
};

}  // namespace pio_test
