#include "pio/line_pass.h"

#include <optional>

#include "base/logs.h"
#include "pio/directives.h"
#include "pio/encoder.h"
#include "pio/gpio_base.h"
#include "pio/guidance.h"
#include "pio/instruction_set.h"
#include "pio/pio_assembler.h"
#include "pio/pio_file.h"
#include "pio/pio_line.h"
#include "pio/source_line.h"

namespace pio {

namespace {

constexpr std::u16string_view kUnknownInstruction = u"unknown instruction";
constexpr std::u16string_view kLabelTwice = u"label already defined";
constexpr std::u16string_view kLabelMoved = u"label moved since the first reading";

// A label the second reading meets away from the address the first reading
// recorded: a name given twice in the block, whose jumps all go to the first,
// or a placement that read differently the first time.
void checkLabelAddress(PioContext& ctx, std::u16string_view line, const std::u16string& name) {
  PioAssembler& pio = ctx.pio;
  const BlockLabels* labels = labelsOfCurrentBlock(pio);
  std::optional<int32_t> recorded = labels != nullptr ? labels->find(name) : std::nullopt;
  if (!recorded || *recorded == pio.programCounter() || pio.decoding) return;
  ctx.logs.pioErrorLine(line);
  reportPioError(pio, ctx.logs, ErrorKind::gen, labels->repeated(name) ? kLabelTwice : kLabelMoved,
                 std::u16string_view(name).substr(0, name.size() - 1));
}

// The line after its label, in either reading.
LineResult applyLine(PioContext& ctx, Reading reading, std::u16string_view line,
                     SourceLine& source, Dialect dialect = Dialect::block) {
  PioLine pioLine(ctx, reading, line, source.rest, std::move(source.words), dialect);
  std::u16string first = pioLine.mnemonic();
  if (first.empty()) return Outcome::nothing;
  PioAssembler& pio = ctx.pio;
  if (std::optional<Mnemonic> mnemonic = mnemonicNamed(first)) {
    // Both readings give every instruction the next slot, also one an error
    // leaves without a word; a decoding block lists words instead.
    if (pio.decoding) return Outcome::noWord;
    const int32_t address = pio.programCounter()++;
    if (reading == Reading::first) {
      if (*mnemonic == Mnemonic::wait) noteWaitGpio(pioLine);
      return Outcome::directive;
    }
    return encodeInstruction(pioLine, *mnemonic, address);
  }
  if (first.starts_with(u'.')) return applyDirective(pioLine, first);
  if (pio.decoding) return Outcome::noWord;
  pioLine.fail(ErrorKind::gen, kUnknownInstruction, first);
  return Outcome::noWord;
}

}  // namespace

void pioFirstPassLine(PioContext& ctx, std::u16string_view line) {
  SourceLine source = splitSourceLine(line);
  if (!source.labelName.empty()) recordLabel(ctx.pio, source.labelName);
  applyLine(ctx, Reading::first, line, source);
}

LineResult pioSecondPassLine(PioContext& ctx, std::u16string_view line, std::u16string* labelText) {
  SourceLine source = splitSourceLine(line);
  if (labelText != nullptr) labelText->clear();
  if (!source.labelName.empty()) {
    checkLabelAddress(ctx, line, source.labelName);
    if (source.words.empty()) return ctx.pio.decoding ? Outcome::noWord : Outcome::listingComment;
    if (labelText != nullptr) *labelText = source.labelText;
  }
  return applyLine(ctx, Reading::second, line, source);
}

void pioFirstPassFileLine(PioContext& ctx, const PioFileLine& line) {
  SourceLine source = line.read.source;
  if (!source.labelName.empty()) recordLabel(ctx.pio, source.labelName);
  if (line.error.empty()) {
    applyLine(ctx, Reading::first, line.text, source, Dialect::pioFile);
  } else if (line.takesSlot && !ctx.pio.decoding) {
    ++ctx.pio.programCounter();
  }
}

LineResult pioSecondPassFileLine(PioContext& ctx, const PioFileLine& line, std::u16string* labelText) {
  SourceLine source = line.read.source;
  if (labelText != nullptr) labelText->clear();
  PioAssembler& pio = ctx.pio;
  if (!line.error.empty()) {
    // The slot is kept, as the first reading kept it, so later labels stay put.
    if (line.takesSlot && !pio.decoding) ++pio.programCounter();
    PioLine pioLine(ctx, Reading::second, line.text, source.rest, {}, Dialect::pioFile);
    pioLine.fail(ErrorKind::gen, line.error, line.errorDetail);
    return Outcome::noWord;
  }
  if (!source.labelName.empty()) {
    if (source.words.empty()) return pio.decoding ? Outcome::noWord : Outcome::listingComment;
    if (labelText != nullptr) *labelText = source.labelText;
  }
  return applyLine(ctx, Reading::second, line.text, source, Dialect::pioFile);
}

}  // namespace pio
