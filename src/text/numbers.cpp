#include "text/numbers.h"

#include <algorithm>

namespace text {

std::u16string decimal(int64_t value) {
  std::u16string out;
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    out += static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) out += u'-';
  std::reverse(out.begin(), out.end());
  return out;
}

std::u16string hex(uint64_t value, int minWidth) {
  std::u16string out;
  do {
    out += u"0123456789ABCDEF"[value & 0xF];
    value >>= 4;
  } while (value != 0);
  while (static_cast<int>(out.size()) < minWidth) out += u'0';
  std::reverse(out.begin(), out.end());
  return out;
}

std::u16string binary(uint64_t value, int minWidth) {
  std::u16string out;
  do {
    out += static_cast<char16_t>(u'0' + (value & 1));
    value >>= 1;
  } while (value != 0);
  while (static_cast<int>(out.size()) < minWidth) out += u'0';
  std::reverse(out.begin(), out.end());
  return out;
}

int64_t leadingDecimal(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  int64_t value = 0;
  // Saturate rather than overflow: a silly number of digits is still "large".
  constexpr int64_t kLimit = INT64_MAX / 10 - 10;
  while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
    if (value < kLimit) value = value * 10 + (s[i] - u'0');
    ++i;
  }
  return negative ? -value : value;
}

}  // namespace text
