#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "pio/line_pass.h"
#include "pio/options.h"
#include "pio/pio_blocks.h"
#include "pio/pio_assembler.h"
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

  int second(std::u16string_view line) {
    pio::PioContext ctx = context();
    return pio::pioSecondPassLine(ctx, line);
  }

  // Both readings over the same lines, as the read loop does for one block;
  // returns the second pass's result per line.
  std::vector<int> assemble(std::initializer_list<std::u16string_view> lines) {
    for (std::u16string_view line : lines) first(line);
    pio::restartPlacement(pio);
    std::vector<int> results;
    for (std::u16string_view line : lines) results.push_back(second(line));
    return results;
  }

  // The instruction words among the results.
  std::vector<int> words(std::initializer_list<std::u16string_view> lines) {
    std::vector<int> out;
    for (int result : assemble(lines)) {
      if (result >= 0) out.push_back(result);
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
    for (const Lines& block : sourceBlocks) {
      blocks.startBlock(false);
      for (const auto& line : block) blocks.firstPassLine(line);
      blocks.endBlock(false, pioCheck);
    }
    blocks.restartReading();
    Lines generated;
    for (const Lines& block : sourceBlocks) {
      blocks.startBlock(true);
      for (const auto& line : block) blocks.secondPassLine(line, pioCheck);
      generated.push_back(blocks.endBlock(true, pioCheck));
    }
    return generated;
  }

  Lines readLines(const Lines& block) { return text::splitLines(read({block}).front()); }
};

}  // namespace pio_test
