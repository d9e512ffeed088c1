#include "text/case_table.h"

namespace text {

std::u16string upper(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = toUpper(c);
  return out;
}

std::u16string lower(std::u16string_view s) {
  std::u16string out(s);
  for (auto& c : out) c = toLower(c);
  return out;
}

bool equalsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (toLower(a[i]) != toLower(b[i])) return false;
  }
  return true;
}

bool startsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
  return s.size() >= prefix.size() && equalsNoCase(s.substr(0, prefix.size()), prefix);
}

size_t findNoCase(std::u16string_view haystack, std::u16string_view needle, size_t from) {
  if (needle.size() > haystack.size()) return std::u16string_view::npos;
  const char16_t first = toLower(needle.empty() ? 0 : needle[0]);
  for (size_t i = from; i + needle.size() <= haystack.size(); ++i) {
    if (needle.empty()) return i;
    if (toLower(haystack[i]) != first) continue;
    if (equalsNoCase(haystack.substr(i, needle.size()), needle)) return i;
  }
  return std::u16string_view::npos;
}

}  // namespace text
