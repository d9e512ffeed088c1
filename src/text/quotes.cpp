#include "text/quotes.h"

#include <algorithm>

#include "text/case_table.h"

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

size_t findNoCaseOutsideQuotes(std::u16string_view s, std::u16string_view needle) {
  bool quoted = false;
  size_t counted = 0;  // quotes are counted up to here, so the scan stays linear
  for (size_t at = 0; (at = findNoCase(s, needle, at)) != std::u16string_view::npos; ++at) {
    for (; counted < at; ++counted) quoted ^= s[counted] == u'"';
    if (!quoted) return at;
  }
  return std::u16string_view::npos;
}

}  // namespace text
