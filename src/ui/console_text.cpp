#include "ui/console_text.h"

#include "ui/text_window.h"

namespace ui {

std::u16string consoleText(const TextWindow& window) {
  std::u16string out = window.title + u"\n";
  for (const auto& gadget : window.gadgets) {
    for (const auto& line : gadget.lines) out += line + u"\n";
  }
  return out;
}

}  // namespace ui
