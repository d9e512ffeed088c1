#include "pio/pio_blocks.h"

#include <utility>

#include "base/logs.h"
#include "pio/decoder.h"
#include "pio/guidance.h"
#include "pio/line_pass.h"
#include "pio/line_words.h"
#include "text/lines.h"

namespace pio {

namespace {

constexpr std::u16string_view kCommentNotClosed = u"/* comment not closed before #PIOEND";

// Each block is one program: it starts from the register start values of
// every state machine.
void resetRegisterImages(PioAssembler& pio) {
  for (auto& block : pio.stateMachines) {
    for (StateMachineConfig& config : block) {
      config.execctrl = kExecctrlStart;
      config.pinctrl = kPinctrlStart;
      config.shiftctrl = kShiftctrlStart;
    }
  }
}

// A state machine the block gave instructions to wraps after its last one
// and back to its first, unless the block placed those points itself.
void applyImplicitWrap(PioAssembler& pio) {
  for (int p = 0; p < kPioBlockCount; ++p) {
    for (int s = 0; s < kStateMachineCount; ++s) {
      const MachineUse& use = pio.blockUse[p][s];
      if (!use.slotTaken) continue;
      int64_t& execctrl = pio.stateMachines[p][s].execctrl;
      if (!use.wrapWritten && use.lastSlot <= kLastAddress) {
        execctrl = (execctrl & ~int64_t{0x1F000}) | (int64_t{use.lastSlot} << 12);
      }
      if (!use.wrapTargetWritten && use.firstSlot <= kLastAddress) {
        execctrl = (execctrl & ~int64_t{0xF80}) | (int64_t{use.firstSlot} << 7);
      }
    }
  }
}

}  // namespace

PioBlocks::PioBlocks(base::Logs& logs) : logs_(logs) {}

void PioBlocks::readOptions(std::u16string_view lineBuffer) {
  applyPasmConfig(options_, lineBuffer);
}

void PioBlocks::restartReading() {
  // A block left open at the end of the source does not swallow the first
  // lines of the next reading.
  inBlock_ = false;
  inCComment_ = false;
  restartPlacement(pio_);
}

void PioBlocks::startBlock(bool secondReading) {
  inBlock_ = true;
  inCComment_ = false;
  ++pio_.blockNumber;
  // Decode mode also governs slot counting in the first reading, so both
  // readings count the same slots.
  pio_.decodeMode = false;
  if (!secondReading) return;
  text_ = {};
  pio_.pins = PinGroups::atBlockStart();
  pio_.blockUse = {};
  resetRegisterImages(pio_);
}

std::u16string PioBlocks::endBlock(bool secondReading, bool pioCheckMode) {
  inBlock_ = false;
  pio_.decodeHeaderWritten = false;
  const bool commentOpen = std::exchange(inCComment_, false);
  if (!secondReading) return {};
  if (commentOpen) {
    // Everything after the "/*" was read as comment: say so, or a program
    // cut short would pass with "No errors".
    logs_.pioErrorLine(u"#PIOEND");
    reportPioError(pio_, logs_, ErrorKind::gen, kCommentNotClosed, u"/*");
  }
  applyImplicitWrap(pio_);
  std::u16string block = generatedBlockText(pio_, options_, text_);
  if (pioCheckMode && !pio_.decodeMode) logs_.pioErrorLine(block);
  return text_.instructionSummary + std::u16string(text::kCrLf) + block;
}

void PioBlocks::firstPassLine(std::u16string_view line) {
  PioContext ctx = context();
  pioFirstPassLine(ctx, blankBlockComments(line, inCComment_));
}

void PioBlocks::secondPassLine(std::u16string_view line, bool pioCheckMode) {
  PioContext ctx = context();
  std::u16string label;
  // The passes see C-style comments blanked out; the listing keeps the line.
  int result = pioSecondPassLine(ctx, blankBlockComments(line, inCComment_), &label);
  if (pioCheckMode && (result >= kResultDirective || result == kResultListingComment)) {
    logs_.pioErrorLine(line);
  }
  std::u16string crlf(text::kCrLf);
  // A decoded block lists nothing of its own program, and a line kept whole
  // as a comment already shows its label.
  if (!label.empty() && !pio_.decodeMode && result != kResultListingComment) {
    text_.programLines += u";" + label + crlf;
  }
  if (result >= 0) {
    int address = pio_.programCounter[pio_.currentPio] - 1;
    std::u16string decoded = decodeForCurrentMachine(ctx, static_cast<uint16_t>(result));
    size_t width = options_.noHints ? 30 : 48;
    appendInstruction(text_, pio_.currentPio, address, result,
                      listingTail(decoded, listingComment(line), width));
  } else if (result == kResultListingComment) {
    text_.programLines += u";" + std::u16string(line) + crlf;
  }
}

}  // namespace pio
