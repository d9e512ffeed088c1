#include "pio/source_line.h"

#include <algorithm>

#include "text/case_table.h"

namespace pio {

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

size_t skipBlanks(std::u16string_view s, size_t from) {
  while (from < s.size() && isBlank(s[from])) ++from;
  return from;
}

size_t wordEnd(std::u16string_view s, size_t from) {
  while (from < s.size() && !isBlank(s[from])) ++from;
  return from;
}

// Position of the colon that ends a label word starting at start, or npos.
size_t labelColon(std::u16string_view code, size_t start, size_t end) {
  size_t colon = code.substr(start, end - start).find(u':');
  if (colon != std::u16string_view::npos) return start + colon;
  size_t next = skipBlanks(code, end);
  bool loneColon = next < code.size() && code[next] == u':' &&
                   (next + 1 >= code.size() || code[next + 1] != u':');
  return loneColon ? next : std::u16string_view::npos;
}

}  // namespace

SourceLine splitSourceLine(std::u16string_view line) {
  std::u16string_view code = splitComment(line).code;
  size_t start = skipBlanks(code, 0);
  size_t end = wordEnd(code, start);
  if (text::equalsNoCase(code.substr(start, end - start), u"public")) {
    start = skipBlanks(code, end);
    end = wordEnd(code, start);
  } else if (start < end && code[start] == u'*') {
    ++start;
  }
  size_t colon = start < end ? labelColon(code, start, end) : std::u16string_view::npos;
  size_t nameEnd = std::min(colon, end);
  if (colon == std::u16string_view::npos || nameEnd == start) {
    return {{}, {}, line, splitWords(code)};
  }
  std::u16string name = text::lower(code.substr(start, nameEnd - start)) + u":";
  return {line.substr(0, colon + 1), std::move(name), line.substr(colon + 1),
          splitWords(code.substr(colon + 1))};
}

}  // namespace pio
