#include "pio/second_pass.h"

#include "pio/directives.h"
#include "pio/encoder.h"
#include "pio/pio_assembler.h"
#include "pio/pio_line.h"
#include "pio/pio_text.h"
#include "pio/source_line.h"
#include "text/blanks.h"

namespace pio {

int pioSecondPassLine(PioContext& ctx, std::u16string_view line, std::u16string* labelText) {
  SourceLine source = splitSourceLine(line);
  if (labelText != nullptr) labelText->clear();
  if (!source.labelName.empty()) {
    if (withoutComment(source.body).empty()) {
      return ctx.pio.decodeMode ? kResultNoWord : kResultListingComment;
    }
    if (labelText != nullptr) *labelText = source.labelText;
  }
  std::u16string plain = normalisePioLine(withoutComment(source.body));
  if (text::field(plain, 1) == u".define") {
    // Recorded again as the second reading meets it, so a name defined twice
    // has the value in force at each line.
    PioDefine define = defineOf(plain);
    recordDefine(ctx.pio, define.name, define.value);
    return kResultDirective;
  }
  PioLine pioLine(ctx, line, source.body);
  if (pioLine.words().empty()) return kResultNothing;
  std::u16string first = pioLine.firstWord();
  if (first == u";") return kResultNothing;
  if (auto result = applyDirective(pioLine, first)) return *result;
  if (isInstructionMnemonic(first)) return encodeInstruction(pioLine, first);
  // An unknown word is dropped without a message; neither pass gives it a slot.
  return ctx.pio.decodeMode ? kResultNoWord : kResultDirective;
}

}  // namespace pio
