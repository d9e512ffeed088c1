#include "text/quotes.h"

#include <algorithm>

namespace text {

std::u16string withoutQuotes(std::u16string_view s) {
  std::u16string out(s);
  std::erase(out, u'"');
  return out;
}

size_t findOutsideQuotes(std::u16string_view s, char16_t c, size_t from) {
  bool quoted = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'"') {
      quoted = !quoted;
    } else if (s[i] == c && !quoted && i >= from) {
      return i;
    }
  }
  return std::u16string_view::npos;
}

bool insideQuotes(std::u16string_view s, size_t at) {
  const size_t end = std::min(at, s.size());
  return std::count(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(end), u'"') % 2 == 1;
}

}  // namespace text
