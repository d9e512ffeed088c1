#include "pio/options.h"

#include "text/blanks.h"

namespace pio {

namespace {

struct OptionWord {
  std::u16string_view word;
  bool PasmOptions::*flag;
};

constexpr OptionWord kOptionWords[] = {
    {u"nohex", &PasmOptions::noHex},       {u"noinitiate", &PasmOptions::noInit},
    {u"noinit", &PasmOptions::noInit},     {u"loadwitherrors", &PasmOptions::loadWithErrors},
    {u"verbose", &PasmOptions::verbose},   {u"nosetpin", &PasmOptions::noSetpin},
    {u"showregs", &PasmOptions::showRegs}, {u"nohints", &PasmOptions::noHints},
};

}  // namespace

void applyPasmConfig(PasmOptions& options, std::u16string_view lineBuffer) {
  std::u16string line = text::normaliseBlanks(lineBuffer);
  for (int n = 2;; ++n) {
    std::u16string_view word = text::field(line, n);
    if (word.empty()) break;
    for (const OptionWord& option : kOptionWords) {
      if (option.word == word) {
        options.*option.flag = true;
        break;
      }
    }
    // Any other word is not an option and is ignored without a message.
  }
}

}  // namespace pio
