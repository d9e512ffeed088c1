#include "text/lines.h"

namespace text {

std::vector<std::u16string> splitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  size_t i = 0;
  while (i < text.size()) {
    char16_t c = text[i];
    if (c == u'\n' || c == u'\r') {
      lines.emplace_back(text.substr(start, i - start));
      i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace text
