#include "pio/options.h"

#include <algorithm>
#include <optional>

#include "text/blanks.h"

namespace pio {

namespace {

struct OptionWord {
  std::u16string_view word;
  bool PasmOptions::*flag;  // nullptr: accepted, no effect
};

constexpr OptionWord kOptionWords[] = {
    {u"nohex", nullptr},                   {u"noinitiate", &PasmOptions::noInit},
    {u"noinit", &PasmOptions::noInit},     {u"loadwitherrors", nullptr},
    {u"verbose", nullptr},                 {u"nosetpin", &PasmOptions::noSetpin},
    {u"showregs", &PasmOptions::showRegs}, {u"nohints", &PasmOptions::noHints},
};

void applyOptionWord(PasmOptions& options, std::u16string_view word) {
  if (std::optional<Chip> chip = chipNamed(word)) {
    options.chip = *chip;
    return;
  }
  for (const OptionWord& option : kOptionWords) {
    if (option.word == word) {
      if (option.flag != nullptr) options.*option.flag = true;
      return;
    }
  }
  // Any other word is not an option and is ignored without a message.
}

}  // namespace

void applyPasmConfig(PasmOptions& options, std::u16string_view lineBuffer) {
  // The words are taken in one scan, the first being the keyword.
  std::u16string_view line = text::trimBlanks(lineBuffer);
  bool keyword = true;
  while (!line.empty()) {
    size_t end = std::min(line.find(u' '), line.size());
    if (!keyword) applyOptionWord(options, line.substr(0, end));
    keyword = false;
    line = text::trimLeadingBlanks(line.substr(end));
  }
}

}  // namespace pio
