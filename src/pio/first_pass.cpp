#include "pio/first_pass.h"

#include <string>

#include "pio/directives.h"
#include "pio/encoder.h"
#include "pio/pio_assembler.h"
#include "pio/pio_text.h"
#include "pio/source_line.h"
#include "text/blanks.h"
#include "text/numbers.h"
#include "base/logs.h"

namespace pio {

namespace {

// Word 2 of the body with blanks normalised, a defined name replaced.
std::u16string valueWord(const PioAssembler& pio, std::u16string_view body) {
  return substituteDefine(pio, text::field(text::normaliseBlanks(body), 2));
}

void defineLine(PioContext& ctx, std::u16string_view body) {
  std::u16string normalised = normalisePioLine(body);
  PioDefine define = defineOf(normalised);
  ctx.logs.logLine(normalised);
  ctx.logs.logLine(define.name + u" " + define.value);
  recordDefine(ctx.pio, define.name, define.value);
}

// ".pio" and ".sm" outside their ranges are left to the second pass to report.
void pioLine(PioContext& ctx, std::u16string_view body) {
  int32_t value = readPlainNumber(valueWord(ctx.pio, body));
  if (value < 0 || value >= kPioBlockCount) return;
  ctx.logs.logLine(normalisePioLine(body));
  ctx.pio.currentPio = value;
  ctx.logs.logLine(u"PIO=" + text::decimal(value));
  ctx.pio.programCounter[value] = 0;
}

void smLine(PioContext& ctx, std::u16string_view body) {
  int32_t value = readPlainNumber(valueWord(ctx.pio, body));
  if (value < 0 || value >= kStateMachineCount) return;
  ctx.logs.logLine(normalisePioLine(body));
  ctx.pio.currentSm = value;
  ctx.logs.logLine(u"SM=" + text::decimal(value));
  // As in the second pass, so a later program for the same state machine
  // without ".origin" is placed from 0 in both readings.
  ctx.pio.config().origin = 0;
}

// An origin outside the instruction memory is left to the second pass to
// report.
void originLine(PioContext& ctx, std::u16string_view body) {
  int32_t origin = parsePioNumber(valueWord(ctx.pio, body));
  if (origin < 0 || origin > kLastAddress) return;
  ctx.logs.logLine(normalisePioLine(body));
  ctx.pio.config().origin = origin;
}

void bodyLine(PioContext& ctx, std::u16string_view body) {
  std::u16string first(text::field(normalisePioLine(withoutComment(body)), 1));
  PioAssembler& pio = ctx.pio;
  if (first == u".define") {
    defineLine(ctx, body);
  } else if (first == u".pio") {
    pioLine(ctx, body);
  } else if (first == u".sm") {
    smLine(ctx, body);
  } else if (first == u".program") {
    ctx.logs.logLine(normalisePioLine(body));
    pio.programName = programNameOf(body);
  } else if (first == u".origin") {
    originLine(ctx, body);
  } else if (first == u".decode") {
    pio.decodeMode = true;
  } else if (isInstructionMnemonic(first) && !pio.decodeMode) {
    ++pio.programCounter[pio.currentPio];
  }
  // Anything else takes no slot and is ignored.
}

}  // namespace

void pioFirstPassLine(PioContext& ctx, std::u16string_view line) {
  SourceLine source = splitSourceLine(line);
  if (!source.labelName.empty()) recordLabel(ctx.pio, source.labelName);
  bodyLine(ctx, text::trimLeadingBlanks(source.body));
}

}  // namespace pio
