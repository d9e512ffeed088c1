#include "pio/line_pass.h"

#include "pio/directives.h"
#include "pio/encoder.h"
#include "pio/pio_assembler.h"
#include "pio/pio_line.h"
#include "pio/source_line.h"

namespace pio {

namespace {

constexpr std::u16string_view kUnknownInstruction = u"unknown instruction";

// The line after its label, in either reading.
int applyLine(PioContext& ctx, Reading reading, std::u16string_view line, SourceLine& source) {
  PioLine pioLine(ctx, reading, line, source.rest, std::move(source.words));
  std::u16string first = pioLine.mnemonic();
  if (first.empty()) return kResultNothing;
  PioAssembler& pio = ctx.pio;
  if (isInstructionMnemonic(first)) {
    if (reading == Reading::second) return encodeInstruction(pioLine, first);
    // Decode mode lists words instead, in both readings.
    if (!pio.decodeMode) ++pio.programCounter[pio.currentPio];
    return kResultDirective;
  }
  if (first.starts_with(u'.')) return applyDirective(pioLine, first);
  if (pio.decodeMode) return kResultNoWord;
  pioLine.fail(ErrorKind::gen, kUnknownInstruction, first);
  return kResultNoWord;
}

}  // namespace

void pioFirstPassLine(PioContext& ctx, std::u16string_view line) {
  SourceLine source = splitSourceLine(line);
  if (!source.labelName.empty()) recordLabel(ctx.pio, source.labelName);
  applyLine(ctx, Reading::first, line, source);
}

int pioSecondPassLine(PioContext& ctx, std::u16string_view line, std::u16string* labelText) {
  SourceLine source = splitSourceLine(line);
  if (labelText != nullptr) labelText->clear();
  if (!source.labelName.empty()) {
    if (source.words.empty()) return ctx.pio.decodeMode ? kResultNoWord : kResultListingComment;
    if (labelText != nullptr) *labelText = source.labelText;
  }
  return applyLine(ctx, Reading::second, line, source);
}

}  // namespace pio
