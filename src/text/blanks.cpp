#include "text/blanks.h"

#include "text/case_table.h"

namespace text {

std::u16string_view trimLeadingBlanks(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == u' ') ++i;
  return s.substr(i);
}

std::u16string_view trimTrailingBlanks(std::u16string_view s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == u' ') --n;
  return s.substr(0, n);
}

std::u16string_view trimBlanks(std::u16string_view s) {
  return trimTrailingBlanks(trimLeadingBlanks(s));
}

std::u16string normaliseBlanks(std::u16string_view s) {
  s = trimBlanks(s);
  std::u16string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (c == u' ' && !out.empty() && out.back() == u' ') continue;
    out += c;
  }
  return out;
}

std::u16string_view field(std::u16string_view s, int n) {
  size_t start = 0;
  for (int i = 1; i < n; ++i) {
    size_t blank = s.find(u' ', start);
    if (blank == std::u16string_view::npos) return {};
    start = blank + 1;
  }
  size_t end = s.find(u' ', start);
  return s.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start);
}

bool isDirective(std::u16string_view line, std::u16string_view keyword) {
  return startsWithNoCase(trimLeadingBlanks(line), keyword);
}

std::u16string_view directiveKeyword(std::u16string_view line, std::span<const std::u16string_view> keywords) {
  const std::u16string_view trimmed = trimLeadingBlanks(line);
  for (std::u16string_view keyword : keywords) {
    if (startsWithNoCase(trimmed, keyword)) return keyword;
  }
  return {};
}

}  // namespace text
