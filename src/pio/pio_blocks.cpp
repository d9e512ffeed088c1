#include "pio/pio_blocks.h"

#include <utility>

#include "base/logs.h"
#include "pio/block_text.h"
#include "pio/decoder.h"
#include "pio/guidance.h"
#include "pio/line_pass.h"
#include "pio/line_words.h"
#include "text/lines.h"

namespace pio {

namespace {

constexpr std::u16string_view kCommentNotClosed = u"/* comment not closed before #PIOEND";
constexpr std::u16string_view kCodeBlockNotClosed = u"% block not closed before #PIOEND";

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
      int64_t& execctrl = block.registers[p][s].execctrl;
      if (!use.wrapWritten && use.lastSlot <= kLastAddress) {
        setFields(execctrl, {{Field::wrapTop, use.lastSlot}});
      }
      if (!use.wrapTargetWritten && use.firstSlot <= kLastAddress) {
        setFields(execctrl, {{Field::wrapBottom, use.firstSlot}});
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
  if (reading == Reading::second) pio_.block = {};
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
  PioContext ctx = context();
  if (std::optional<std::u16string> code = codeOf(line)) pioFirstPassLine(ctx, *code);
}

void PioBlocks::secondPassLine(std::u16string_view line, bool pioCheckMode) {
  PioContext ctx = context();
  // The passes see C-style comments blanked out; the listing keeps the line.
  std::optional<std::u16string> code = codeOf(line);
  if (!code) return;
  std::u16string label;
  LineResult result = pioSecondPassLine(ctx, *code, &label);
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
    int address = pio_.programCounter() - 1;
    std::u16string decoded = decodeForCurrentMachine(ctx, result.word);
    size_t width = options_.noHints ? 30 : 48;
    appendInstruction(text, pio_.placement.currentPio, address, result.word,
                      listingTail(decoded, listingComment(line), width));
  } else if (outcome == Outcome::listingComment) {
    text.programLines += u";" + std::u16string(line) + crlf;
  }
}

}  // namespace pio
