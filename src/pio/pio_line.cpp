#include "pio/pio_line.h"

#include "pio/guidance.h"
#include "pio/pio_text.h"
#include "pio/source_line.h"
#include "text/blanks.h"
#include "base/logs.h"

namespace pio {

PioLine::PioLine(PioContext& context, std::u16string_view original, std::u16string_view body)
    : ctx(context),
      pio(context.pio),
      original_(original),
      body_(text::trimLeadingBlanks(body)),
      words_(substituteDefines(context.pio, normalisePioLine(withoutComment(body_)))) {}

std::u16string PioLine::firstWord() { return nextWord(words_, true, pio.wordCursor); }

std::u16string PioLine::next() { return nextWord(words_, false, pio.wordCursor); }

std::u16string PioLine::peek() const { return std::u16string(text::field(words_, pio.wordCursor)); }

std::u16string PioLine::valueWord() const {
  return substituteDefine(pio, text::field(text::normaliseBlanks(body_), 2));
}

void PioLine::fail(std::u16string_view kind, std::u16string_view message,
                   std::u16string_view detail) {
  warn(kind, message, detail, 0);
  failed_ = true;
}

void PioLine::warn(std::u16string_view kind, std::u16string_view message,
                   std::u16string_view detail, int mode) {
  ctx.logs.pioErrorLine(original_);
  reportPioError(pio, ctx.logs, kind, message, detail, mode);
}

}  // namespace pio
