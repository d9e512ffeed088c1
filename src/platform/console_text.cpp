#include "platform/console_text.h"

#include "platform/text_window.h"

namespace platform {

std::u16string consoleText(const TextWindow& window) {
  std::u16string out = window.title + u"\n";
  for (const auto& gadget : window.gadgets) {
    for (const auto& line : gadget.lines) out += line + u"\n";
  }
  return out;
}

}  // namespace platform
